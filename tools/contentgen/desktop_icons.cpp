// The program's icon for menus and software centres (icons/hicolor/<size>/apps/): the title
// picture's island hole, ball and flag on a round sky tile, drawn once at 256 pixels and
// scaled down so every size shows the same picture.
#include "content_groups.h"
#include "palette.h"
#include "picture_parts.h"

#include <string>

namespace {

constexpr int kDrawnSize = 256;
constexpr int kIconSizes[] = {256, 128, 48};

Image desktopIcon()
{
    Image img(kDrawnSize, kDrawnSize);
    fillOutlinedPaint(
        img, [](float x, float y) { return sdBox(x, y, 128, 128, 118, 118, 44); },
        [](float, float y) { return mix(palette::skyLight, palette::ocean, y / kDrawnSize); }, palette::ink,
        2 * kRimWidth);
    drawCloud(img, 84, 70, 64, 0.9f);
    drawGreen(img, 128, 190, 104, 40);
    fillShape(img, [](float x, float y) { return sdEllipse(x, y, 156, 190, 14, 6); }, palette::ink);
    drawFlag(img, 156, 190, 140, palette::coral);
    drawGolfBall(img, 88, 186, 24);
    return img;
}

}  // namespace

void generateDesktopIcons()
{
    const Image icon = desktopIcon();
    for (int size : kIconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        writeImage("icons/hicolor/" + folder + "/apps/quillmoor.png",
                   size == kDrawnSize ? icon : resized(icon, size, size), true);
    }
}
