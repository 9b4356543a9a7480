// The shipped map picture and label rectangles, and the painting of worked counties on them.
#include "common/RandomSource.h"
#include "logtools/CountyMap.h"
#include "platform/Error.h"
#include "support/TestApp.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

#include <QFile>

#include <set>

namespace qf {
namespace {

const char* const kCodes[] = {
    "MRS", "KIT", "ROS", "LKW", "KOO", "BEL", "ITA", "STL", "LAK", "COO", "POL", "PEN", "RDL",
    "CLE", "NOR", "MAH", "CLA", "BEC", "HUB", "CAS", "WIL", "OTT", "WAD", "CRO", "AIT", "CRL",
    "TRA", "GRA", "DOU", "STV", "POP", "BIG", "TOD", "MOR", "MIL", "KNB", "PIN", "STR", "BEN",
    "ISA", "CHS", "ANO", "WSH", "RAM", "HEN", "SHE", "WRI", "CRV", "SCO", "DAK", "MCL", "MEE",
    "KND", "SWI", "CHP", "LAC", "YEL", "REN", "LIN", "LYO", "RDW", "SIB", "NIC", "BRO", "LES",
    "RIC", "GOO", "WAB", "PIP", "MUR", "COT", "WAT", "BLU", "WSC", "STE", "DOD", "OLM", "WIN",
    "ROC", "NOB", "JAC", "MRT", "FAI", "FRE", "MOW", "FIL", "HOU"};

// The 4-connected white areas of the picture: each pixel's area number, -1 off white.
struct Areas {
    std::vector<int> id;
    std::vector<qsizetype> size;
};

Areas whiteAreas(const QImage& img) {
    const int w = img.width(), h = img.height();
    Areas a{std::vector<int>(static_cast<size_t>(w * h), -1), {}};
    const QRgb white = qRgb(255, 255, 255);
    for (int start = 0; start < w * h; ++start) {
        if (a.id[static_cast<size_t>(start)] >= 0 || img.pixel(start % w, start / w) != white)
            continue;
        const int n = static_cast<int>(a.size.size());
        a.size.push_back(0);
        std::vector<int> stack{start};
        a.id[static_cast<size_t>(start)] = n;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++a.size.back();
            const int x = i % w, y = i / w;
            const std::pair<int, int> next[] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (auto [nx, ny] : next) {
                if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                const int j = ny * w + nx;
                if (a.id[static_cast<size_t>(j)] < 0 && img.pixel(nx, ny) == white) {
                    a.id[static_cast<size_t>(j)] = n;
                    stack.push_back(j);
                }
            }
        }
    }
    return a;
}

TEST(CountyMapTest, ShippedPictureHasOneClosedWhiteAreaPerLabel) {
    const QImage img = QImage(test::shippedDataFile(QStringLiteral("countymap.png")))
                           .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(img.size(), QSize(kMapWidth, kMapHeight));
    // No antialiasing: black borders, white counties, the grey outside and nothing else.
    std::set<QRgb> colours;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) colours.insert(img.pixel(x, y));
    EXPECT_EQ(colours, (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(192, 192, 192)}));

    const std::vector<MapLabel> labels =
        parseMapLabels(test::shippedData(QStringLiteral("countymap.txt")));
    ASSERT_EQ(labels.size(), std::size(kCodes));
    // The codes are the logging windows' abbreviations, in the window's label order.
    const QByteArray countyTable = test::shippedData(QStringLiteral("county2.txt"));
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(labels[i].code, QString::fromLatin1(kCodes[i]));
        EXPECT_TRUE(countyTable.contains("\"" + labels[i].code.toLatin1() + "\"")) << kCodes[i];
    }

    // A gap in a border would join two counties into one area holding two label centres.
    const Areas areas = whiteAreas(img);
    EXPECT_EQ(areas.size.size(), 87u);
    std::set<int> seen;
    for (const MapLabel& l : labels) {
        const QPoint seed = mapSeedPoint(l);
        ASSERT_TRUE(img.valid(seed)) << l.code.toStdString();
        const int area = areas.id[static_cast<size_t>(seed.y() * img.width() + seed.x())];
        EXPECT_GE(area, 0) << l.code.toStdString() << " centre is not on white";
        EXPECT_TRUE(seen.insert(area).second) << l.code.toStdString() << " shares its area";
        // The label lies on the picture.
        EXPECT_TRUE(img.rect().contains(QRect(l.left, l.top, l.width, l.height)))
            << l.code.toStdString();
    }

    // The program's built-in copies are these files.
    EXPECT_EQ(countyMapPicture(), img);
    ASSERT_EQ(countyMapLabels().size(), labels.size());
}

TEST(CountyMapTest, PaintingFillsExactlyTheWorkedAreas) {
    TestClock testClock;
    TestClock& clock = testClock;
    clock.set(QDateTime(QDate(2026, 9, 12), QTime(10, 0, 0)), 0);
    RandomSource random(clock);
    random.setSeed(42);
    const QImage fresh = countyMapPicture();
    const std::vector<MapLabel> labels = countyMapLabels();
    const Areas areas = whiteAreas(fresh);
    auto areaOf = [&](const char* code) {
        for (const MapLabel& l : labels) {
            if (l.code == QLatin1String(code)) {
                const QPoint p = mapSeedPoint(l);
                return areas.id[static_cast<size_t>(p.y() * fresh.width() + p.x())];
            }
        }
        return -2;
    };

    QImage img = fresh;
    // With case: "hen" and a code not on the map paint nothing.
    EXPECT_EQ(paintWorkedCounties(img, labels,
                                  {QStringLiteral("hen"), QStringLiteral("XYZ"),
                                   QStringLiteral("HEN"), QStringLiteral("COO")},
                                  random),
              2);
    const std::set<int> painted{areaOf("HEN"), areaOf("COO")};
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const int area = areas.id[static_cast<size_t>(y * img.width() + x)];
            const bool changed = img.pixel(x, y) != fresh.pixel(x, y);
            ASSERT_EQ(changed, painted.count(area) == 1) << x << "," << y;
        }
    }
    // Each area took one colour of the drawn range.
    const QPoint hen = mapSeedPoint(labels[44]);
    const QRgb c = img.pixel(hen);
    EXPECT_LT(qRed(c), 254);
    EXPECT_LT(qGreen(c), 254);
    EXPECT_LT(qBlue(c), 254);
}

TEST(CountyMapTest, SeedPointsAndLabelRecords) {
    // Halves go to the even neighbour.
    const std::tuple<int, int, int> cases[] = {
        {0, 3, 2}, {0, 5, 2}, {1, 5, 4}, {10, 22, 21}, {-3, 4, -1}};
    for (const auto& [left, width, x] : cases) {
        EXPECT_EQ(mapSeedPoint({QStringLiteral("A"), left, left, width, width}), QPoint(x, x))
            << left << " " << width;
    }
    const std::vector<MapLabel> ok = parseMapLabels("\"HEN\",1,2,22,12\r\n\"AIT\",-1,0,4,4\n");
    ASSERT_EQ(ok.size(), 2u);
    EXPECT_EQ(ok[1].code, QStringLiteral("AIT"));
    EXPECT_EQ(ok[1].left, -1);
    EXPECT_THROW(parseMapLabels("\"HEN\",1,2,22\r\n"), Error);
    EXPECT_THROW(parseMapLabels("HEN,1,2,22,12\r\n"), Error);
}

}  // namespace
}  // namespace qf
