#include "toolkit/ui/property_pane.h"

CPropertyPane::CPropertyPane(const QString& title, QWidget* parent)
    : QWidget(parent), title(title) {}
