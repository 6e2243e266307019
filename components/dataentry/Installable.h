// A service the program reaches through an interface (message boxes, print dialogs)
// that tests replace by installing their own implementation.
#pragma once

#include <utility>

namespace veldo {

// The installed implementation of interface `I`, or nullptr while the program's own
// serves.
template <class I> I*& InstalledService()
{
    static I* installed = nullptr;
    return installed;
}

// Installs `service` (nullptr: the program's own again); returns the one it replaces.
template <class I> I* InstallService(I* service) { return std::exchange(InstalledService<I>(), service); }

} // namespace veldo
