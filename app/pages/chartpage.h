#pragma once

#include "pagebuilder.h"

class QMenu;

namespace zorvex {

// The page tsTemp: the chart picture imgTemp and its source menu pumChart. The drawing and the
// source commands come with the chart work.
class ChartPage : public Page {
    Q_OBJECT
public:
    explicit ChartPage(SharedBlock& block, QWidget* parent = nullptr);

private:
    QMenu* m_menu;
};

} // namespace zorvex
