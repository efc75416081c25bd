#include "schedulepage.h"

#include "conversions.h"
#include "language.h"
#include "sharedblock.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <cmath>
#include <numbers>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr int SwitchColumn = 6;
constexpr std::array<std::uint8_t, 3> SwitchBits{0x20, 0x40, 0x80};

QString AltitudeText(std::int16_t alt) {
    const double sine = alt / 10000.0;
    if (sine < -1.0 || sine > 1.0)
        return u"0"_s;
    return FormatNumber(std::asin(sine) * 180.0 / std::numbers::pi, Pattern0_HH);
}

} // namespace

SchedulePage::SchedulePage(SharedBlock& block, QWidget* parent)
    : Page(u"tsSchedule"_s, u"Schedule"_s, block, parent), m_grid(new QTableWidget(this)),
      m_description(new QPlainTextEdit(this)), m_columnMenu(new QMenu(this)) {
    m_grid->setObjectName(u"sgSchedule"_s);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(18);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_description->setObjectName(u"memDescription"_s);
    m_description->setReadOnly(true);
    m_columnMenu->setObjectName(u"pumCol"_s);
    for (const auto& [name, caption] : {std::pair{u"mnuCopyCol"_s, u"Copy content of this column"_s},
                                        std::pair{u"mnuPasteCol"_s, u"Paste into this column"_s},
                                        std::pair{u"mnuSwapCol"_s, u"Swap this and copied column"_s}}) {
        auto* action = m_columnMenu->addAction(caption);
        action->setObjectName(name);
    }
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 3);
    layout->addWidget(m_description, 1);
}

void SchedulePage::BuildColumns() {
    m_grid->setColumnCount(6);
    m_grid->setHorizontalHeaderItem(0, new QTableWidgetItem(LookupMessage(u"Line"_s)));
    m_grid->setColumnWidth(0, 30);
    m_grid->setColumnWidth(1, 46);
    for (const char16_t* key : {u"Display", u"Clouds", u"Storms", u"Timer"}) {
        const int column = m_grid->columnCount();
        m_grid->setColumnCount(column + 1);
        m_grid->setHorizontalHeaderItem(column, new QTableWidgetItem(LookupMessage(QString::fromUtf16(key))));
        m_grid->setColumnWidth(column, 50);
    }
}

void SchedulePage::SetChannelColumnWidth(int width) {
    for (int channel = 0; channel < DrivenChannelCount; ++channel)
        m_grid->setColumnWidth(channel + 2, width);
}

void SchedulePage::SetChannelHeader(int channel, const QString& text) {
    m_grid->setHorizontalHeaderItem(channel + 2, new QTableWidgetItem(text));
}

void SchedulePage::SetCell(int row, int column, const QString& text) {
    QTableWidgetItem* item = m_grid->item(row, column);
    if (item == nullptr)
        m_grid->setItem(row, column, new QTableWidgetItem(text));
    else
        item->setText(text);
}

void SchedulePage::FillScheduleGrid() {
    const bool geo = m_block.Config.Mode == 2;
    m_grid->setHorizontalHeaderItem(1, new QTableWidgetItem(LookupMessage(geo ? u"Altitude"_s : u"Time"_s)));
    const auto& rows = m_block.Schedule;
    // The grid's header is its first line; an empty schedule still shows one (inert) line.
    m_grid->setRowCount(std::max<int>(1, static_cast<int>(rows.size())));
    m_currentRow = m_block.Info.CurrentRow;
    const QString on = LookupMessage(u"ON"_s);
    const QString off = LookupMessage(u"OFF"_s);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const ScheduleRow& row = rows[static_cast<std::size_t>(i)];
        SetCell(i, 0, QString::number(i));
        SetCell(i, 1,
                geo ? AltitudeText(row.Alt)
                    : FormatTwoDigits(row.Hour) + u":"_s + FormatTwoDigits(row.Minute));
        for (int channel = 0; channel < DrivenChannelCount; ++channel)
            SetCell(i, channel + 2, LevelPercentText(row.Color16[static_cast<std::size_t>(channel)]));
        for (std::size_t bit = 0; bit < SwitchBits.size(); ++bit)
            SetCell(i, SwitchColumn + static_cast<int>(bit), (row.Switch & SwitchBits[bit]) ? on : off);
        SetCell(i, 9, QString::number(row.Timer));
    }
    m_grid->viewport()->update();
}

bool SchedulePage::ShowCurrentRow(int row) {
    if (row == m_currentRow)
        return false;
    m_currentRow = row;
    m_grid->viewport()->update();
    return true;
}

} // namespace zorvex
