// The window's menus, described once as data: component name, design caption, shortcut and click
// handler of every item.
#include "frmzorvex.h"

#include "edithistory.h"
#include "extratexts.h"

#include <QApplication>

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

enum ItemFlag : unsigned {
    None = 0,
    SeparatorAfter = 1,
    Checkable = 2,
    Hidden = 4,
    // Hidden, but its shortcut works (while the item is enabled).
    ShortcutOnly = 8,
    ModeGroup = 16,
};

struct MenuItemDescription {
    const char16_t* name;
    const char16_t* caption;
    QKeyCombination shortcut;
    void (TfrmZORVEX::*click)();
    unsigned flags = None;
};

struct MenuDescription {
    const char16_t* name;
    const char16_t* caption;
    std::vector<MenuItemDescription> items;
};

constexpr QKeyCombination NoKey{};
constexpr QKeyCombination Ctrl(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier, key);
}

std::vector<MenuDescription> Menus() {
    using W = TfrmZORVEX;
    return {
        {u"mnuFile",
         u"&File",
         {{u"mnuScheduleImport", u"Import &schedule...", NoKey, &W::mnuScheduleImportClick},
          {u"mnuConfigImport", u"Import &configuration...", NoKey, &W::mnuConfigImportClick},
          {u"mnuScheduleConfigExport", u"&Export schedule and configuration...", NoKey,
           &W::mnuScheduleConfigExportClick, SeparatorAfter},
          {u"mnuFirmwareUpdate", u"&Update firmware...", NoKey, &W::mnuFirmwareUpdateClick, SeparatorAfter},
          {u"mnuExit", u"E&xit", NoKey, &W::mnuExitClick}}},
        {u"mnuEdit",
         u"&Edit",
         {{u"mnuUndo", u"&Undo", Ctrl(Qt::Key_Z), &W::mnuUndoClick},
          {u"mnuRedo", u"&Redo", QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z),
           &W::mnuRedoClick}}},
        {u"mnuConnection",
         u"&Connection",
         {{u"mnuDiscover", u"&Install devices automatically", Ctrl(Qt::Key_I), &W::mnuDiscoverClick},
          {u"mnuRemove", u"&Uninstall devices automatically", Ctrl(Qt::Key_U), &W::mnuRemoveClick,
           SeparatorAfter},
          // mnuConnect, the port submenu, is inserted here.
          {u"mnuSimulatedLamp", u"Simulated lamp (no hardware)", NoKey, &W::mnuSimulatedLampClick},
          {u"mnuDisconnect", u"&Disconnect", Ctrl(Qt::Key_D), &W::mnuDisconnectClick}}},
        {u"mnuOptions",
         u"&Options",
         {{u"mnuModeManual", u"Mode: &Manual", Ctrl(Qt::Key_F1), &W::mnuModeManualClick, ModeGroup},
          {u"mnuModeAuto", u"Mode: &Auto", Ctrl(Qt::Key_F2), &W::mnuModeAutoClick, ModeGroup},
          {u"mnuModeGeo", u"Mode: &Geo", Ctrl(Qt::Key_F3), &W::mnuModeGeoClick, ModeGroup},
          {u"mnuModeRGBDemo", u"Mode: &RGB demo", Ctrl(Qt::Key_F4), &W::mnuModeRGBDemoClick, ModeGroup},
          {u"mnuModeFlash", u"Mode: &Flash", Ctrl(Qt::Key_F5), &W::mnuModeFlashClick,
           ModeGroup | SeparatorAfter},
          {u"mnuAllOff", u"Set all channels to &0%", Ctrl(Qt::Key_0), &W::mnuAllOffClick},
          {u"mnuAll20", u"Set all channels to &20%", Ctrl(Qt::Key_2), &W::mnuAll20Click},
          {u"mnuAllOn", u"Set all channels to &100%", Ctrl(Qt::Key_1), &W::mnuAllOnClick},
          {u"mnuSetTimeDate", u"Set current &time and date", Ctrl(Qt::Key_C), &W::mnuSetTimeDateClick,
           SeparatorAfter},
          {u"mnuStepBig", u"&Big step size", QKeyCombination(Qt::Key_F4), &W::mnuStepBigClick,
           Checkable | SeparatorAfter},
          {u"mnuShowExpert", u"Show &Expert options", QKeyCombination(Qt::Key_F6), &W::mnuShowExpertClick,
           Checkable},
          {u"mnuShowRC433", u"Show tab \"433 MHz\"", QKeyCombination(Qt::Key_F8), &W::mnuShowRC433Click,
           Checkable | Hidden | SeparatorAfter},
          {u"mnuRefresh", u"Refres&h", QKeyCombination(Qt::Key_F5), &W::mnuRefreshClick},
          {u"mnuSaveEEPROM", u"&Save settings permanently", Ctrl(Qt::Key_S), &W::mnuSaveEEPROMClick},
          {u"mnuIRLearn", u"&Pair IR remote control...", Ctrl(Qt::Key_R), &W::mnuIRLearnClick},
          {u"mnuLoadReef", u"L&oad reef bundle defaults", NoKey, &W::mnuLoadReefClick, Hidden},
          {u"mnuHealth", u"Read hea&lth data",
           QKeyCombination(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, Qt::Key_X),
           &W::mnuHealthClick, ShortcutOnly},
          {u"mnuDebug", u"&Debug", QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_D),
           &W::mnuDebugClick, ShortcutOnly}}},
        {u"mnuHelp",
         u"&Help",
         {{u"mnuHardware", u"&Hardware manual", NoKey, &W::mnuHardwareClick},
          {u"mnuSoftware", u"&Software manual / updates", NoKey, &W::mnuSoftwareClick},
          {u"mnuFAQ", u"&FAQ / error tracking", QKeyCombination(Qt::Key_F1), &W::mnuFAQClick}}},
    };
}

} // namespace

void TfrmZORVEX::WireEditMenu() {
    // Ctrl+Y redoes as well, as in most editors on Windows.
    MenuItem(u"mnuRedo"_s)
        ->setShortcuts({QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)),
                        QKeySequence(Ctrl(Qt::Key_Y))});
    QUndoStack* stack = m_history->Stack();
    for (const auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        connect(stack, signal, this, &TfrmZORVEX::UpdateEditMenu);
    for (const auto signal : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged})
        connect(stack, signal, this, &TfrmZORVEX::UpdateEditMenu);
    // What the user operates next is a step of its own.
    connect(qApp, &QApplication::focusChanged, m_history, &EditHistory::NewSession);
    connect(m_history, &EditHistory::restored, this, [this] {
        RefreshConfig();
        RefreshExpert();
        RefreshExpertWeather();
        FillScheduleGrid();
        RefreshChannelNames();
    });
    UpdateEditMenu();
}

void TfrmZORVEX::UpdateEditMenu() {
    const auto name = [](const QString& step, const QString& plain, const QString& label) {
        return label.isEmpty() ? ExtraText(plain) : ExtraText(step, {label});
    };
    QAction* undo = MenuItem(u"mnuUndo"_s);
    undo->setEnabled(m_history->CanUndo());
    undo->setText(name(u"UndoStep"_s, u"UndoCaption"_s, m_history->UndoLabel()));
    QAction* redo = MenuItem(u"mnuRedo"_s);
    redo->setEnabled(m_history->CanRedo());
    redo->setText(name(u"RedoStep"_s, u"RedoCaption"_s, m_history->RedoLabel()));
    findChild<QMenu*>(u"mnuEdit"_s)->setTitle(ExtraText(u"EditMenuCaption"_s));
}

void TfrmZORVEX::mnuUndoClick() {
    m_history->Undo();
}

void TfrmZORVEX::mnuRedoClick() {
    m_history->Redo();
}

void TfrmZORVEX::BuildMenus() {
    auto* modes = new QActionGroup(this);
    modes->setExclusive(true);
    for (const MenuDescription& described : Menus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf16(described.caption));
        menu->setObjectName(QString::fromUtf16(described.name));
        for (const MenuItemDescription& item : described.items) {
            const QString name = QString::fromUtf16(item.name);
            if (name == u"mnuSimulatedLamp") {
                m_connectMenu = menu->addMenu(u"&Connect to"_s);
                m_connectMenu->setObjectName(u"mnuConnect"_s);
            }
            QAction* action = menu->addAction(QString::fromUtf16(item.caption));
            action->setObjectName(name);
            if (item.shortcut != NoKey)
                action->setShortcut(QKeySequence(item.shortcut));
            action->setCheckable((item.flags & (Checkable | ModeGroup)) != 0);
            if (item.flags & ModeGroup)
                modes->addAction(action);
            if (item.flags & (Hidden | ShortcutOnly))
                action->setVisible(false);
            if (item.flags & ShortcutOnly) {
                // Qt counts a hidden item as disabled and gives it no shortcut: the window answers
                // the shortcut itself, enabled and disabled together with the item's rule.
                auto* shortcut = new QShortcut(QKeySequence(item.shortcut), this);
                shortcut->setObjectName(name + u"Shortcut"_s);
                connect(shortcut, &QShortcut::activated, this,
                        [this, click = item.click] { (this->*click)(); });
            }
            if (item.click != nullptr)
                connect(action, &QAction::triggered, this, [this, click = item.click] { (this->*click)(); });
            if (item.flags & SeparatorAfter)
                menu->addSeparator();
        }
    }
    connect(findChild<QMenu*>(u"mnuConnection"_s), &QMenu::aboutToShow, this,
            &TfrmZORVEX::mnuConnectionClick);
    connect(findChild<QMenu*>(u"mnuOptions"_s), &QMenu::aboutToShow, this, &TfrmZORVEX::mnuOptionsClick);
    connect(findChild<QMenu*>(u"mnuFile"_s), &QMenu::aboutToShow, this, &TfrmZORVEX::mnuFileClick);
}

} // namespace zorvex
