#include "schedulepage.h"

#include "edithistory.h"
#include "extratexts.h"
#include "language.h"
#include "schedulecells.h"
#include "scheduleedits.h"
#include "schedulegrid.h"
#include "sharedblock.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <algorithm>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr int RowHeight = 18;
constexpr Qt::ItemFlags FixedCell = Qt::ItemIsEnabled;
constexpr Qt::ItemFlags EditableCell = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;

} // namespace

SchedulePage::SchedulePage(SharedBlock& block, QWidget* parent)
    : Page(u"tsSchedule"_s, u"Schedule"_s, block, parent), m_grid(new QTableWidget(this)),
      m_description(new QPlainTextEdit(this)), m_columnMenu(new QMenu(this)) {
    m_grid->setObjectName(u"sgSchedule"_s);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // A click on a header does not select a column; a right click opens the column menu.
    m_grid->horizontalHeader()->setSectionsClickable(false);
    m_grid->setCornerButtonEnabled(false);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // The editor opens as soon as a cell becomes current, as if it were always shown.
    m_grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_grid->setItemDelegate(new ScheduleCellDelegate(
        [this](int column, int row, const QString& text) { sgScheduleSetEditText(column, row + 1, text); },
        [this](const QModelIndex& index) {
            return ScheduleCellLook(index.column(), index.row(), index.data().toString(),
                                    m_block.Info.CurrentRow, m_block.Config.ColorName, m_grid->palette());
        },
        m_grid));
    m_grid->viewport()->installEventFilter(this);
    m_grid->horizontalHeader()->viewport()->installEventFilter(this);

    m_description->setObjectName(u"memDescription"_s);
    m_description->setReadOnly(true);

    m_columnMenu->setObjectName(u"pumCol"_s);
    const std::pair<QString, void (SchedulePage::*)()> items[] = {
        {u"mnuCopyCol"_s, &SchedulePage::mnuCopyColClick},
        {u"mnuPasteCol"_s, &SchedulePage::mnuPasteColClick},
        {u"mnuSwapCol"_s, &SchedulePage::mnuSwapColClick},
    };
    const QString captions[] = {u"Copy content of this column"_s, u"Paste into this column"_s,
                                u"Swap this and copied column"_s};
    for (std::size_t i = 0; i < std::size(items); ++i) {
        QAction* action = m_columnMenu->addAction(captions[i]);
        action->setObjectName(items[i].first);
        connect(action, &QAction::triggered, this, items[i].second);
    }
    connect(m_columnMenu, &QMenu::aboutToShow, this, &SchedulePage::pumColPopup);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 3);
    layout->addWidget(m_description, 1);
}

void SchedulePage::BuildColumns() {
    m_grid->setColumnCount(ColumnCount);
    m_grid->setColumnWidth(ScheduleLineColumn, 30);
    SetHeader(ScheduleLineColumn, LookupMessage(u"Line"_s));
    m_grid->setColumnWidth(ScheduleStartColumn, 46);
    int column = ScheduleFirstSwitchColumn;
    for (const QString& key : {u"Display"_s, u"Clouds"_s, u"Storms"_s, u"Timer"_s}) {
        m_grid->setColumnWidth(column, 50);
        SetHeader(column++, LookupMessage(key));
    }
}

void SchedulePage::SetHeader(int column, const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    m_grid->setHorizontalHeaderItem(column, item);
    // A column is never narrower than its header: the grid scrolls sideways instead.
    m_grid->setColumnWidth(
        column, std::max(m_grid->columnWidth(column), m_grid->horizontalHeader()->sectionSizeHint(column)));
}

void SchedulePage::SetChannelColumnWidth(int width) {
    for (int column = ScheduleFirstChannelColumn; column < ScheduleFirstChannelColumn + DrivenChannelCount;
         ++column)
        m_grid->setColumnWidth(column, std::max(width, m_grid->horizontalHeader()->sectionSizeHint(column)));
}

QStringList SchedulePage::ColumnHeaders() const {
    QStringList headers;
    for (int column = 0; column < m_grid->columnCount(); ++column) {
        const QTableWidgetItem* item = m_grid->horizontalHeaderItem(column);
        headers << (item != nullptr ? item->text() : QString());
    }
    return headers;
}

void SchedulePage::SetChannelHeader(int channel, const QString& text) {
    SetHeader(ScheduleFirstChannelColumn + channel, text);
}

void SchedulePage::SetCell(int row, int column, const QString& text) {
    QTableWidgetItem* item = m_grid->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem(text);
        const bool fixed = column == ScheduleLineColumn || !sgScheduleSelectCell(column, row + 1);
        item->setFlags(fixed ? FixedCell : EditableCell);
        m_grid->setItem(row, column, item);
    } else {
        item->setText(text);
    }
}

QString SchedulePage::CellText(int row, int column) const {
    const QTableWidgetItem* item = m_grid->item(row, column);
    return item != nullptr ? item->text() : QString();
}

QStringList SchedulePage::LineTexts(int row) const {
    QStringList cells;
    for (int column = 0; column < ColumnCount; ++column)
        cells.append(CellText(row, column));
    return cells;
}

void SchedulePage::FillScheduleGrid() {
    const bool altitude = UsesAltitude(m_block.Config.Mode);
    SetHeader(ScheduleStartColumn, LookupMessage(altitude ? u"Altitude"_s : u"Time"_s));
    const auto& rows = m_block.Schedule;
    // The header is the grid's first line; an empty schedule still shows one (inert) line.
    m_grid->setRowCount(std::max(1, static_cast<int>(rows.size())));
    m_currentRow = m_block.Info.CurrentRow;
    for (int column = 0; column < ColumnCount; ++column) {
        if (rows.empty())
            SetCell(0, column, {});
        for (std::size_t i = 0; i < rows.size(); ++i)
            SetCell(static_cast<int>(i), column,
                    ScheduleCellText(rows[i], static_cast<int>(i), column, altitude));
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

void SchedulePage::RepaintGrid() {
    m_grid->viewport()->update();
}

void SchedulePage::ParseScheduleRow(int index) {
    if (index < 0 || index >= m_grid->rowCount())
        return;
    StoreScheduleRowTexts(m_block, index, LineTexts(index));
}

QString SchedulePage::CellStepLabel(int column, int line) const {
    const QTableWidgetItem* header = m_grid->horizontalHeaderItem(column);
    const QString caption = header != nullptr ? header->text() : QString();
    // A channel's header reads "W: colour"; the step names its level ("W level of line 3").
    if (IsChannelColumn(column))
        return ExtraText(u"UndoLevel"_s, {caption.section(u':', 0, 0).trimmed(), QString::number(line)});
    return ExtraText(u"UndoCell"_s, {caption, QString::number(line)});
}

void SchedulePage::sgScheduleSetEditText(int column, int row, const QString& text) {
    // The keystrokes in one cell's editor are one step.
    const EditStep step(m_history, CellStepLabel(column, row - 1), u"cell %1 %2"_s.arg(row).arg(column));
    SetCell(row - 1, column, text);
    if (!text.isEmpty())
        ParseScheduleRow(row - 1);
}

bool SchedulePage::sgScheduleSelectCell(int column, int /*row*/) {
    return !IsSwitchColumn(column);
}

void SchedulePage::sgScheduleMouseDown(Qt::MouseButton button, int column, int row, const QPoint& globalPos) {
    const int line = row - 1;
    if (button == Qt::LeftButton) {
        // The inert line of an empty schedule has nothing to switch.
        if (line < 0 || static_cast<std::size_t>(line) >= m_block.Schedule.size() || !IsSwitchColumn(column))
            return;
        const EditStep step(m_history, CellStepLabel(column, line));
        SetCell(line, column, ToggledSwitchText(CellText(line, column)));
        ParseScheduleRow(line);
    } else if (button == Qt::RightButton) {
        m_clickedColumn = column - ScheduleFirstChannelColumn;
        if (row == 0 && IsChannelColumn(column)) {
            m_columnMenu->popup(globalPos);
        } else if (line >= 0 && column == ScheduleLineColumn && SetCurrentScheduleRow(m_block, line)) {
            m_currentRow = line;
            m_grid->viewport()->update();
        }
    }
}

void SchedulePage::MoveLine(int from, int to) {
    const int rows = m_grid->rowCount();
    if (from == to || from < 1 || to < 1 || from > rows || to > rows)
        return;
    const int first = std::min(from, to);
    QList<QStringList> lines;
    for (int r = first; r <= std::max(from, to); ++r)
        lines.append(LineTexts(r - 1));
    lines.move(from - first, to - first);
    for (int i = 0; i < lines.size(); ++i) {
        for (int column = 0; column < ColumnCount; ++column)
            SetCell(first - 1 + i, column, lines[i][column]);
    }
    sgScheduleRowMoved(from, to);
}

void SchedulePage::sgScheduleRowMoved(int from, int to) {
    const EditStep step(m_history, ExtraText(u"UndoMoveLine"_s, {QString::number(from - 1)}));
    for (int r = std::min(from, to); r <= std::max(from, to); ++r) {
        SetCell(r - 1, ScheduleLineColumn, QString::number(r - 1));
        ParseScheduleRow(r - 1);
    }
}

void SchedulePage::pumColPopup() {
    const bool copied = m_copiedColumn != -1;
    for (const QString& name : {u"mnuPasteCol"_s, u"mnuSwapCol"_s})
        m_columnMenu->findChild<QAction*>(name)->setEnabled(copied);
}

void SchedulePage::mnuCopyColClick() {
    m_copiedColumn = m_clickedColumn;
}

void SchedulePage::mnuPasteColClick() {
    if (!m_block.HoldsCompleteDownload() || m_block.IsRequested(rqGetSchedule)) {
        Q_EMIT editRefused(u"WhatPasteColumn"_s);
        return;
    }
    {
        const EditStep step(m_history, ExtraText(u"UndoPasteColumn"_s));
        if (!PasteScheduleColumn(m_block, m_copiedColumn, m_clickedColumn))
            return;
    }
    Q_EMIT channelNamesChanged();
    if (!m_block.IsRequested(rqGetSchedule))
        Q_EMIT scheduleChanged();
}

void SchedulePage::mnuSwapColClick() {
    if (!m_block.HoldsCompleteDownload() || m_block.IsRequested(rqGetSchedule)) {
        Q_EMIT editRefused(u"WhatSwapColumns"_s);
        return;
    }
    {
        const EditStep step(m_history, ExtraText(u"UndoSwapColumns"_s));
        if (!SwapScheduleColumns(m_block, m_copiedColumn, m_clickedColumn))
            return;
    }
    Q_EMIT channelNamesChanged();
    if (!m_block.IsRequested(rqGetSchedule))
        Q_EMIT scheduleChanged();
}

bool SchedulePage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (watched == m_grid->viewport()) {
        if (press)
            return GridMousePress(static_cast<QMouseEvent*>(event));
        if (m_dragFrom >= 0 && type == QEvent::MouseMove)
            return true;
        if (m_dragFrom >= 0 && type == QEvent::MouseButtonRelease) {
            GridMouseRelease(static_cast<QMouseEvent*>(event));
            return true;
        }
    } else if (watched == m_grid->horizontalHeader()->viewport() && press) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int column = m_grid->horizontalHeader()->logicalIndexAt(mouse->position().toPoint());
        sgScheduleMouseDown(mouse->button(), column, 0, mouse->globalPosition().toPoint());
        return mouse->button() == Qt::RightButton;
    }
    return Page::eventFilter(watched, event);
}

bool SchedulePage::GridMousePress(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const int row = m_grid->rowAt(position.y());
    const int column = m_grid->columnAt(position.x());
    if (row < 0 || column < 0)
        return false;
    sgScheduleMouseDown(event->button(), column, row + 1, event->globalPosition().toPoint());
    if (column != ScheduleLineColumn)
        return false;
    // A line number is no cell to select; dragging it moves the line.
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = row + 1;
        m_grid->viewport()->setCursor(Qt::SizeVerCursor);
    }
    return true;
}

void SchedulePage::GridMouseRelease(QMouseEvent* event) {
    const int y = event->position().toPoint().y();
    int row = m_grid->rowAt(y);
    if (row < 0)
        row = y < 0 ? 0 : m_grid->rowCount() - 1;
    const int from = m_dragFrom;
    m_dragFrom = -1;
    m_grid->viewport()->unsetCursor();
    MoveLine(from, row + 1);
}

} // namespace zorvex
