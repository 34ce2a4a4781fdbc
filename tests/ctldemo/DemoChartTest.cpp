// The coordinate-system page in-process: Stop (also after Pause and Resume) keeps the frame
// and what was drawn, the settings dialog's Draw and OK show the series and its line again,
// and the chart is drawn again at its size whenever that changes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "apps/ctldemo/ChartPage.h"
#include "platform/embed/ControlWidget.h"
#include "platform/sys/Prompts.h"

using demo::ChartPage;

namespace {
// Pixels of a colour, within a tolerance (line edges are antialiased).
bool Near(const QImage& img, int x, int y, QColor c, int tolerance) {
    const QColor p = img.pixelColor(x, y);
    return std::abs(p.red() - c.red()) <= tolerance &&
           std::abs(p.green() - c.green()) <= tolerance &&
           std::abs(p.blue() - c.blue()) <= tolerance;
}
int ColumnCount(const QImage& img, int x, QColor c, int tolerance = 40) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y) n += Near(img, x, y, c, tolerance);
    return n;
}
int CountNear(const QImage& img, QColor c, int tolerance = 40) {
    int n = 0;
    for (int x = 0; x < img.width(); ++x) n += ColumnCount(img, x, c, tolerance);
    return n;
}
const QColor kSeries(0x13, 0x45, 0x8B), kTrend(0xC0, 0x20, 0x20), kFrame(0x60, 0x60, 0x60);

// The rightmost column holding frame pixels (the right border of the plot).
int FrameRight(const QImage& img) {
    for (int x = img.width() - 1; x >= 0; --x)
        if (ColumnCount(img, x, kFrame, 8) > img.height() / 3) return x;
    return -1;
}

void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

QAbstractButton* Button(QWidget& in, const QString& text) {
    for (auto* b : in.findChildren<QAbstractButton*>())
        if (b->text() == text) return b;
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

class DemoChartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prompter = std::make_shared<ctl::ScriptedPrompter>();
        ctl::SetPrompter(prompter);
        page.resize(1000, 640);
        page.show();
        Settle();
        chart = page.findChild<ctl::ControlWidget*>();
        ASSERT_TRUE(chart);
        // Every finished segment may act (press a button) once the drawing goes on.
        chart->on("FinishDrawing", [this](ctl::Args&) {
            ++finished;
            if (atFinish) QTimer::singleShot(0, &page, [this] { atFinish(finished); });
        });
    }
    void TearDown() override { ctl::SetPrompter(nullptr); }
    QImage Picture() { return chart->grab().toImage(); }

    std::shared_ptr<ctl::ScriptedPrompter> prompter;
    ChartPage page;
    ctl::ControlWidget* chart = nullptr;
    int finished = 0;
    std::function<void(int)> atFinish;
};
}  // namespace

TEST_F(DemoChartTest, StopKeepsTheFrameAndTheSegmentsDrawn) {
    chart->set("Delay", 1.0f);
    chart->set("BaseStep", 15.0f);
    atFinish = [this](int n) {
        if (n == 3) Button(page, "&Stop")->click();
    };
    Button(page, "&Draw")->click();
    EXPECT_EQ(page.drawn().points, 4u);
    EXPECT_FALSE(page.drawn().trend);
    EXPECT_EQ(page.status(), "Stopped after 4 of 12 points.");
    const QImage img = Picture();
    EXPECT_GT(CountNear(img, kFrame, 8), 500) << "the frame is there";
    EXPECT_GT(CountNear(img, kSeries), 60) << "the segments reached are there";
    EXPECT_EQ(CountNear(img, kTrend), 0) << "no least-squares line after a stop";
    EXPECT_TRUE(Button(page, "&Draw")->isEnabled());
    EXPECT_FALSE(Button(page, "&Stop")->isEnabled());

    // Pause, Resume, then Stop: the same.
    finished = 0;
    atFinish = [this](int n) {
        if (n == 2) {
            // Resume from inside the pause, which holds the drawing in its own loop.
            QTimer::singleShot(30, &page, [this] { Button(page, "&Resume")->click(); });
            Button(page, "&Pause")->click();
        }
        if (n == 5) Button(page, "&Stop")->click();
    };
    Button(page, "&Draw")->click();
    EXPECT_EQ(page.drawn().points, 6u);
    EXPECT_EQ(page.status(), "Stopped after 6 of 12 points.");
    EXPECT_GT(CountNear(Picture(), kFrame, 8), 500);
    EXPECT_GT(CountNear(Picture(), kSeries), 60);
}

TEST_F(DemoChartTest, TheSettingsDialogsDrawAndOkShowTheSeriesAndItsLine) {
    chart->set("Delay", 0.0f);
    bool pressedDraw = false;
    QString statusInDialog;
    QTimer::singleShot(0, &page, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        auto* draw = dialog->findChild<QAbstractButton*>("btnDraw");
        ASSERT_TRUE(draw && draw->isEnabled());
        draw->click();
        pressedDraw = true;
        Settle();
        statusInDialog = page.status();
        const QImage img = Picture();
        EXPECT_GT(CountNear(img, kSeries), 200) << "the series, not its two-point line";
        EXPECT_GT(CountNear(img, kTrend), 100) << "and the line";
        dialog->findChild<QAbstractButton*>("btnOK")->click();
    });
    Button(page, "Scale s&ettings...")->click();
    Settle();
    EXPECT_TRUE(pressedDraw);
    EXPECT_TRUE(statusInDialog.startsWith("Drawn: 12 points")) << statusInDialog.toStdString();
    EXPECT_TRUE(page.status().startsWith("Drawn: 12 points")) << page.status().toStdString();
    EXPECT_EQ(page.drawn().points, 12u);
    EXPECT_TRUE(page.drawn().trend);
    const QImage img = Picture();
    EXPECT_GT(CountNear(img, kSeries), 200);
    EXPECT_GT(CountNear(img, kTrend), 100);
}

TEST_F(DemoChartTest, TheChartIsDrawnAgainAtItsNewSize) {
    // At first show the frame already reaches the right side of the laid-out chart.
    QImage img = Picture();
    EXPECT_GT(FrameRight(img), img.width() - 60 * img.devicePixelRatio()) << img.width();

    chart->set("Delay", 0.0f);
    Button(page, "&Draw")->click();
    ASSERT_EQ(page.drawn().points, 12u);
    page.resize(1400, 900);
    Settle();
    img = Picture();
    EXPECT_GT(img.width(), 900);
    EXPECT_GT(FrameRight(img), img.width() - 60 * img.devicePixelRatio()) << img.width();
    // The series came back with the frame, across the wider plot.
    int rightmostSeries = -1;
    for (int x = 0; x < img.width(); ++x)
        if (ColumnCount(img, x, kSeries) > 0) rightmostSeries = x;
    EXPECT_GT(rightmostSeries, img.width() * 2 / 3);
    EXPECT_EQ(page.drawn().points, 12u);
}
