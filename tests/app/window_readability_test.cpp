// What a user reads: the import preview in the interface's language, readable disabled fields,
// every tab in sight and nothing cut off, in English and German.
#include "windowfixture.h"

#include "devicetexts.h"
#include "extratexts.h"
#include "geopage.h"
#include "labelededit.h"
#include "language.h"
#include "schedulecells.h"
#include "schedulegrid.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {

class WindowReadability : public ::testing::TestWithParam<const char16_t*> {
protected:
    void SetUp() override {
        f = std::make_unique<WindowFixture>(QStringList{QString::fromUtf16(GetParam()), u"-expert"_s});
        f->show();
    }
    QString tab(const QString& sheet) const {
        auto* pages = f->find<QTabWidget>(u"pc"_s);
        return pages->tabText(pages->indexOf(f->find<QWidget>(sheet)));
    }
    std::unique_ptr<WindowFixture> f;
};

} // namespace

TEST_P(WindowReadability, TheImportPreviewNamesPagesControlsAndValuesAsTheWindowShowsThem) {
    f->connectDevice();
    f->block().AssignRequests(0);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"lamp.ini"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Config]\r\nMode=1\r\nFanMode=1\r\n[Weather]\r\nMoonColor163=205\r\n"
               "[Names]\r\nColorName1=11\r\n");
    file.close();
    f->dialogs->chosenFile = path;
    f->window().mnuConfigImportClick();
    const auto button = [this](const QString& name) { return f->find<QAbstractButton>(name)->text(); };
    const QList<QStringList> expected{
        {ExtraText(u"PreviewMode"_s), ModeText(0), ModeText(1)},
        {tab(u"tsExpert"_s) + u" / "_s + f->find<QGroupBox>(u"gbxFanMode"_s)->title(), button(u"rbtFMOLED"_s),
         button(u"rbtFMOWater"_s)},
        {tab(u"tsMoon"_s) + u" / "_s + ChannelNameText(3, 0), u"0 %"_s, u"5 %"_s},
        {tab(u"tsChannels"_s) + u" / "_s + ChannelLetter(1), ColorText(0), ColorText(11)}};
    EXPECT_EQ(f->dialogs->tableRows, expected);
}

TEST_P(WindowReadability, TheTabBarFitsTheWindowInExpertMode) {
    auto* pages = f->find<QTabWidget>(u"pc"_s);
    EXPECT_LE(pages->tabBar()->sizeHint().width(), pages->width());
}

TEST_P(WindowReadability, ScheduleHeadersAreNotClipped) {
    f->connectDevice();
    f->block().Config.ColorName = {14, 13, 12, 15};
    f->window().RefreshConfig();
    f->window().FillScheduleGrid();
    auto* grid = f->find<QTableWidget>(u"sgSchedule"_s);
    ASSERT_NE(grid, nullptr);
    const QFontMetrics metrics(grid->horizontalHeader()->font());
    for (int column = 0; column < grid->columnCount(); ++column) {
        const QTableWidgetItem* header = grid->horizontalHeaderItem(column);
        ASSERT_NE(header, nullptr) << column;
        const QString text = header->text();
        EXPECT_GE(grid->columnWidth(column), metrics.horizontalAdvance(text)) << text.toStdString();
    }
}

TEST_P(WindowReadability, AtTheLeastWindowSizeNothingIsSliced) {
    f->window().resize(f->window().minimumSizeHint());
    f->showPage(u"tsGeo"_s);
    EXPECT_GE(f->find<QSlider>(u"trbTime"_s)->width(), TimeSliderMinimumWidth);
    f->showPage(u"tsWeather"_s);
    for (QLabel* label : f->find<QWidget>(u"tsWeather"_s)->findChildren<QLabel*>()) {
        if (!label->isVisible())
            continue;
        // A wrapped caption ("Durchschnittliche Anzahl pro Tag") needs the height of all its lines.
        if (label->wordWrap())
            EXPECT_GE(label->height(), label->heightForWidth(label->width())) << label->text().toStdString();
        else
            EXPECT_GE(label->width(), label->minimumSizeHint().width()) << label->text().toStdString();
    }
}

TEST_P(WindowReadability, TheLeastWindowFitsTheDesignSizeAndTallPagesScroll) {
    // The window opens at its design size (1009 x 655 and the menu bar) on a small screen too.
    const QSize least = f->window().minimumSizeHint();
    EXPECT_LE(least.width(), 1009);
    EXPECT_LE(least.height(), 655 + f->window().menuBar()->sizeHint().height());
    for (const QString& page : {u"tsExpert"_s, u"tsWeather"_s, u"tsBalance"_s, u"tsMoon"_s})
        EXPECT_NE(f->find<QScrollArea>(page + u"Scroll"_s), nullptr) << page.toStdString();
}

TEST_P(WindowReadability, DisabledTintedFieldsKeepDarkText) {
    f->connectDevice();
    auto* edit = f->find<LabeledEdit>(u"edt0"_s)->findChild<QLineEdit*>();
    edit->setEnabled(false);
    const QPalette palette = edit->palette();
    EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::Text),
              palette.color(QPalette::Active, QPalette::Text));

    QPalette grid = f->find<QTableWidget>(u"sgSchedule"_s)->palette();
    grid.setCurrentColorGroup(QPalette::Disabled);
    const std::optional<CellLook> look =
        ScheduleCellLook(ScheduleFirstChannelColumn, 0, u"50"_s, -1, {1, 2, 3, 11}, grid);
    ASSERT_TRUE(look.has_value());
    EXPECT_EQ(look->text, grid.color(QPalette::Active, QPalette::Text));
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowReadability, ::testing::Values(u"-english", u"-german"));
