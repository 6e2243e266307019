// Qt set-up of the harnesses that use the program's code: an application on the
// offscreen platform and message boxes recorded instead of shown.
#pragma once

#include "Messages.h"

#include <QApplication>

namespace veldo::fuzz {

inline TRecordedMessages& RecordedMessages()
{
    static TRecordedMessages messages;
    return messages;
}

inline void StartQtOffscreen(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    InstallMessages(&RecordedMessages());
}

} // namespace veldo::fuzz
