// Textures of the soil-layer strip, drawn by the program itself. Odd pictures
// serve the screen and bitmaps; the following even one replaces it on paper.
#pragma once

#include <QBrush>
#include <QImage>

namespace veldo {

// Picture 1..14 (sizes: 1, 9, 11, 13 80 x 80; 2, 14 96 x 96; 3, 5, 7 30 x 42;
// 4, 6, 8 96 x 69; 10, 12 96 x 192). Other numbers give a null image.
const QImage& LayerPicture(int number);

// Brush of a layer pattern code (1 clay picture, 2..6 hatches, 7..12 pictures);
// any other code gives no fill. Pictures keep the size they have at 96 pixels per
// inch on a surface of `pixelsPerInch`.
QBrush LayerBrush(int code, bool printed, int pixelsPerInch = 96);

} // namespace veldo
