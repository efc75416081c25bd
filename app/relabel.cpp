#include "relabel.h"

#include "extratexts.h"
#include "labelededit.h"
#include "message_format.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

// Qt widgets break lines at LF alone.
QString PlainLines(const QString& text) {
    QString lines = text;
    lines.replace(u"\r\n"_s, u"\n"_s);
    return lines;
}

// A caption without its menu accelerator mark.
QString WithoutAccelerator(const QString& caption) {
    QString text = caption;
    text.replace(u"&&"_s, u"\u0001"_s);
    text.remove(u'&');
    text.replace(u"\u0001"_s, u"&"_s);
    return text;
}

template <class T> T* Named(QWidget* window, const QString& name) {
    return window->findChild<T*>(name);
}

QString CaptionOf(QObject* target) {
    if (auto* button = qobject_cast<QAbstractButton*>(target))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(target))
        return label->text();
    if (auto* edit = qobject_cast<LabeledEdit*>(target))
        return edit->caption();
    return {};
}

} // namespace

void ApplyCaption(QObject* target, QTabWidget* pages, const QString& value) {
    const QString text = PlainLines(value);
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(target)) {
        menu->setTitle(text);
    } else if (auto* edit = qobject_cast<LabeledEdit*>(target)) {
        edit->setCaption(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(target)) {
        const QString logged = memo->toPlainText();
        memo->setPlainText(logged.isEmpty() ? text : text + u"\n"_s + logged);
    } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
        group->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(text);
    } else if (auto* widget = qobject_cast<QWidget*>(target); widget != nullptr && pages != nullptr) {
        const int index = pages->indexOf(widget);
        if (index >= 0)
            pages->setTabText(index, text);
    }
}

void ApplyHint(QObject* target, const QString& value) {
    const QString text = PlainLines(value);
    if (auto* action = qobject_cast<QAction*>(target))
        action->setToolTip(text);
    else if (auto* widget = qobject_cast<QWidget*>(target))
        widget->setToolTip(text);
}

void ApplyLanguage(QWidget* window, QTabWidget* pages, Language choice) {
    const Language chosen = ChooseLanguage(choice);
    LoadLanguageTable(chosen);
    const LanguageTable& table = CurrentLanguageTable();
    const QString section = u"frmZORVEX"_s;
    for (const QString& key : table.keys(section)) {
        const qsizetype caption = key.indexOf(u".Caption"_s);
        const qsizetype hint = key.indexOf(u".Hint"_s);
        const qsizetype end = caption >= 0 ? caption : hint;
        if (end < 0)
            continue;
        QObject* target = window->findChild<QObject*>(key.left(end));
        if (target == nullptr)
            continue; // a component this window does not have
        const QString value = ExpandLineBreaks(table.value(section, key));
        if (caption >= 0)
            ApplyCaption(target, pages, value);
        else
            ApplyHint(target, value);
    }

    if (auto* simulated = Named<QAction>(window, u"mnuSimulatedLamp"_s))
        simulated->setText(ExtraText(u"SimulatedLampCaption"_s));

#ifdef Q_OS_LINUX
    // The time zone is this computer's, not Windows'.
    if (auto* button = Named<QAbstractButton>(window, u"btnApplyTZI"_s))
        button->setText(ExtraText(u"ApplyTZICaption"_s));
#endif

    if (auto* languages = Named<QComboBox>(window, u"cmbLanguage"_s)) {
        languages->clear();
        languages->addItems({LookupMessage(u"English"_s), LookupMessage(u"German"_s)});
        languages->setCurrentIndex(chosen == Language::German ? 1 : 0);
    }

    // Channel 0 comes last: its label holds the template until then.
    const QString on = CaptionOf(Named<QObject>(window, u"btnOn0"_s));
    const QString off = CaptionOf(Named<QObject>(window, u"btnOff0"_s));
    const QString nameTemplate = CaptionOf(Named<QObject>(window, u"lblName0"_s));
    for (int channel = 3; channel >= 0; --channel) {
        const QString digit = QString::number(channel);
        if (auto* button = Named<QAbstractButton>(window, u"btnOn"_s + digit))
            button->setText(on);
        if (auto* button = Named<QAbstractButton>(window, u"btnOff"_s + digit))
            button->setText(off);
        if (auto* label = Named<QLabel>(window, u"lblName"_s + digit))
            label->setText(QString(nameTemplate).replace(u"%s"_s, ChannelLetter(channel)));
    }
    for (int channel = 0; channel < 4; ++channel) {
        const QString digit = QString::number(channel);
        for (const QString& stem :
             {u"edtMoon"_s, u"edtWeatherDelay"_s, u"edtBalance"_s, u"edtLightningMask"_s})
            if (auto* edit = Named<LabeledEdit>(window, stem + digit))
                edit->setCaption(ChannelLetter(channel));
    }
    if (auto* channels = Named<QWidget>(window, u"tsChannels"_s); channels != nullptr && pages != nullptr) {
        const int index = pages->indexOf(channels);
        pages->setTabText(index, pages->tabText(index).replace(u"%s"_s, QString()).trimmed());
    }

    for (const auto& [item, source] : {std::pair{u"mnuCHMTempWater"_s, u"rbtCHMTempWater"_s},
                                       std::pair{u"mnuCHMTempBoard"_s, u"rbtCHMTempBoard"_s},
                                       std::pair{u"mnuCHMVoltage"_s, u"rbtCHMVoltage"_s},
                                       std::pair{u"mnuCHMTempSlave"_s, u"rbtCHMTempSlave"_s}}) {
        auto* action = Named<QAction>(window, item);
        auto* button = Named<QAbstractButton>(window, source);
        if (action != nullptr && button != nullptr)
            action->setText(button->text());
    }
    for (const auto& [edit, source] : {std::pair{u"edtCloudTempWater"_s, u"rbtCHMTempWater"_s},
                                       std::pair{u"edtCloudTempBoard"_s, u"rbtCHMTempBoard"_s}}) {
        auto* target = Named<LabeledEdit>(window, edit);
        auto* button = Named<QAbstractButton>(window, source);
        if (target != nullptr && button != nullptr)
            target->setCaption(WithoutAccelerator(button->text()));
    }
}

} // namespace zorvex
