#include "common/FloodFill.h"
#include "common/RandomSource.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

// Draws a picture from rows of characters: '#' black, '.' white, 'o' another colour.
QImage picture(const std::vector<const char*>& rows) {
    QImage img(static_cast<int>(strlen(rows[0])), static_cast<int>(rows.size()),
               QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const char c = rows[static_cast<size_t>(y)][x];
            img.setPixel(x, y,
                         c == '#'   ? qRgb(0, 0, 0)
                         : c == 'o' ? qRgb(9, 9, 9)
                                    : qRgb(255, 255, 255));
        }
    }
    return img;
}

std::string render(const QImage& img, QRgb fill) {
    std::string out;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y) | 0xff000000u;
            out += p == (fill | 0xff000000u) ? 'F'
                   : p == qRgb(0, 0, 0)      ? '#'
                   : p == qRgb(9, 9, 9)      ? 'o'
                                             : '.';
        }
        out += '\n';
    }
    return out;
}

TEST(FloodFillTest, FillsOnlyTheSeedsFourConnectedArea) {
    // A diagonal step in the border (an 8-connected line) must hold a 4-connected fill; the
    // other-coloured pixel inside stays, and so does everything outside the ring.
    QImage img = picture({"..###..", ".#...#.", "#..o..#", ".#...#.", "..###..", "......."});
    const QRgb fill = qRgb(200, 10, 10);
    EXPECT_EQ(floodFill(img, 1, 2, fill), 10);
    EXPECT_EQ(render(img, fill),
              "..###..\n"
              ".#FFF#.\n"
              "#FFoFF#\n"
              ".#FFF#.\n"
              "..###..\n"
              ".......\n");
}

TEST(FloodFillTest, NothingToDo) {
    QImage img = picture({"...", "..."});
    const QImage before = img;
    EXPECT_EQ(floodFill(img, 3, 0, qRgb(1, 2, 3)), 0);
    EXPECT_EQ(floodFill(img, -1, 0, qRgb(1, 2, 3)), 0);
    EXPECT_EQ(floodFill(img, 0, 0, qRgb(255, 255, 255)), 0);
    EXPECT_EQ(img, before);
    // A second fill of a painted area takes the new colour.
    EXPECT_EQ(floodFill(img, 0, 0, qRgb(1, 2, 3)), 6);
    EXPECT_EQ(floodFill(img, 2, 1, qRgb(4, 5, 6)), 6);
    EXPECT_EQ(img.pixel(1, 1) | 0xff000000u, qRgb(4, 5, 6));
}

TEST(RandomSourceTest, FixedSeedRepeatsAndReseedsKeepChanging) {
    TestClock testClock;
    TestClock& clock = testClock;
    clock.set(QDateTime(QDate(2026, 9, 12), QTime(10, 0, 0)), 0);
    auto draws = [&clock](quint64 seed) {
        RandomSource r(clock);
        r.setSeed(seed);
        std::vector<double> out;
        for (int i = 0; i < 4; ++i) {
            r.reseedFromClock();  // the same millisecond every time
            out.push_back(r.next());
        }
        return out;
    };
    const std::vector<double> a = draws(7);
    EXPECT_EQ(a, draws(7));
    EXPECT_NE(a, draws(8));
    for (double d : a) {
        EXPECT_GE(d, 0.0);
        EXPECT_LT(d, 1.0);
    }
    // Reseeding within one millisecond must not repeat the colour of the county before.
    EXPECT_NE(a[0], a[1]);

    // The time of day changes what follows.
    RandomSource r1(clock), r2(clock);
    r1.setSeed(1);
    r2.setSeed(1);
    r1.reseedFromClock();
    clock.advance(1);
    r2.reseedFromClock();
    EXPECT_NE(r1.next(), r2.next());
}

}  // namespace
}  // namespace qf
