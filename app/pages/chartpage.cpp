#include "chartpage.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace zorvex {

using namespace Qt::StringLiterals;

ChartPage::ChartPage(SharedBlock& block, QWidget* parent)
    : Page(u"tsTemp"_s, u"Chart"_s, block, parent), m_menu(new QMenu(this)) {
    auto* image = NewLabel(this, u"imgTemp"_s, {});
    image->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    image->setMinimumSize(200, 120);
    image->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(image);
    m_menu->setObjectName(u"pumChart"_s);
    for (const auto& [name, caption] : {std::pair{u"mnuCHMTempWater"_s, u"Water temperature (QuillTemp)"_s},
                                        std::pair{u"mnuCHMTempBoard"_s, u"Board temperature"_s},
                                        std::pair{u"mnuCHMVoltage"_s, u"Input voltage"_s},
                                        std::pair{u"mnuCHMTempSlave"_s, u"Slave temperature"_s}}) {
        auto* action = m_menu->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
    }
    connect(image, &QLabel::customContextMenuRequested, this,
            [this, image](const QPoint& at) { m_menu->popup(image->mapToGlobal(at)); });
}

} // namespace zorvex
