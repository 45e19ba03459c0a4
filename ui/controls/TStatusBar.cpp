// The status bar's two fixed panels.

#include "ui/controls/TStatusBar.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>

namespace {

struct TPanelLayout {
    int width;
    Qt::Alignment alignment;
};

constexpr TPanelLayout PanelLayouts[2] = {
    {500, Qt::AlignLeft | Qt::AlignVCenter},
    {200, Qt::AlignHCenter | Qt::AlignVCenter},
};

}  // namespace

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QLabel(this);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setFixedWidth(PanelLayouts[i].width - (i == 0 ? 2 : 0));
        panel->setAlignment(PanelLayouts[i].alignment);
        panel->setIndent(2);
        panel->setTextFormat(Qt::PlainText);
        layout->addWidget(panel);
        v_panels[i] = panel;
    }
    layout->addStretch(1);
}

QLabel* TStatusBar::Panel(int index) const {
    return v_panels[index];
}

QString TStatusBar::PanelText(int index) const {
    return v_panels[index]->text();
}

void TStatusBar::SetPanelText(int index, const QString& text) {
    if (v_panels[index]->text() != text)
        v_panels[index]->setText(text);
}
