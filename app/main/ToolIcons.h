// The toolbar's pictures, drawn by the program itself.
#pragma once

#include <QIcon>

namespace veldo {

// Picture of toolbar button 1..16 (open, new, save, run, output, soil profile, soil
// layers, combined plot, t-z curves, load-settlement, title, method, material,
// circular section, non-circular section, total capacity); a null icon otherwise.
QIcon ToolIcon(int button);

} // namespace veldo
