// The start window's artwork: nothing covers the program's name, its subtitle or the version
// banner that the window lays over the picture.
#include "startup/LogoArt.h"
#include "startup/frmArdlowLogo.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(LogoArtTest, NameSubtitleQuillMastAndVersionDoNotOverlap) {
    test::TestApp t;
    frmArdlowLogo w(t.app());
    // The window never scales its pictures: map its client area and the banner into the
    // pixels of the main picture, which starts above and left of the window.
    const QSize picture = w.Image1->Picture().size();
    const double sx = picture.width() / w.Image1->Width(), sy = picture.height() / w.Image1->Height();
    auto inPicture = [&](double left, double top, double width, double height) {
        return QRectF((left - w.Image1->Left()) * sx, (top - w.Image1->Top()) * sy, width * sx, height * sy);
    };
    const QRectF visible = inPicture(0, 0, w.ScaleWidth(), w.ScaleHeight());
    const QRectF version =
        inPicture(w.Image2->Left(), w.Image2->Top(), w.Image2->Width(), w.Image2->Height());

    // At the window's size, and at half and twice it should the picture ever be drawn so.
    for (const QSize size : {picture, picture / 2, picture * 2}) {
        SCOPED_TRACE(size.width());
        const double f = static_cast<double>(size.width()) / picture.width();
        const QRectF seen(visible.topLeft() * f, visible.size() * f);
        const QRectF banner(version.topLeft() * f, version.size() * f);
        const LogoLayout l = logoLayout(size);
        EXPECT_TRUE(l.versionArea.contains(banner));
        for (const QRectF& text : {l.nameBounds, l.subtitleBounds}) {
            EXPECT_TRUE(seen.contains(text));
            EXPECT_FALSE(text.intersects(banner));
            EXPECT_FALSE(text.intersects(l.quill.boundingRect()));
            EXPECT_FALSE(text.intersects(l.mast));
        }
        EXPECT_FALSE(l.nameBounds.intersects(l.subtitleBounds));
        EXPECT_FALSE(l.quill.boundingRect().intersects(banner));
        EXPECT_FALSE(l.mast.intersects(banner));
        // Both lines are still of a size to read.
        EXPECT_GE(l.nameFont.pixelSize(), size.height() * 0.12);
        EXPECT_GE(l.subtitleFont.pixelSize(), size.height() * 0.035);
    }
}

}  // namespace
}  // namespace qf
