#pragma once

// A label that is a link: a click of the left button on it (pressed and
// released on it) runs its action, and assistive technology sees a link
// that it can follow.

#include <QLabel>

#include <functional>

class TLinkLabel : public QLabel {
    Q_OBJECT

public:
    TLinkLabel(const QString& text, QWidget* parent, std::function<void()> onClick);

    // Follows the link, as a click does.
    void Follow() { v_onClick(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click is no new click.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void()> v_onClick;
    bool v_pressed = false;
};
