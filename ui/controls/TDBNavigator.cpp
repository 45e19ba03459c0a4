// The record navigator: its buttons, their enabled states and the held-button repeat.

#include "ui/controls/TDBNavigator.h"

#include "ui/controls/Hints.h"
#include "ui/controls/Images.h"

#include "app/TApplication.h"
#include "store/TDataSource.h"
#include "store/TFDQuery.h"

#include <QMouseEvent>
#include <QTimer>

namespace {

struct TButtonLook {
    TNavigateBtn kind;
    const char* name;
    const char* image;
};

constexpr TButtonLook VisibleButtons[TDBNavigator::VisibleButtonCount] = {
    {TNavigateBtn::nbFirst, "nbFirst", "first"},
    {TNavigateBtn::nbPrior, "nbPrior", "prior"},
    {TNavigateBtn::nbNext, "nbNext", "next"},
    {TNavigateBtn::nbLast, "nbLast", "last"},
};

QStringList DefaultHints() {
    return {QStringLiteral("First record"), QStringLiteral("Prior record"),  QStringLiteral("Next record"),
            QStringLiteral("Last record"),  QStringLiteral("Insert record"), QStringLiteral("Delete record"),
            QStringLiteral("Edit record"),  QStringLiteral("Post edit"),     QStringLiteral("Cancel edit"),
            QStringLiteral("Refresh data"), QStringLiteral("Apply updates"), QStringLiteral("Cancel updates")};
}

QIcon ArrowImage(const char* image) {
    const QString base = QStringLiteral(":/images/nav/") + QString::fromLatin1(image);
    return NormalAndDisabled(base + QStringLiteral(".png"), base + QStringLiteral("_disabled.png"));
}

class TQtRepeatTimer : public TRepeatTimer {
public:
    TQtRepeatTimer() {
        v_timer.setSingleShot(true);
        QObject::connect(&v_timer, &QTimer::timeout, [this] { Fire(); });
    }
    void Start(int milliseconds) override { v_timer.start(milliseconds); }
    void Stop() override { v_timer.stop(); }
    bool IsActive() const override { return v_timer.isActive(); }

private:
    QTimer v_timer;
};

}  // namespace

std::unique_ptr<TRepeatTimer> MakeQtRepeatTimer() {
    return std::make_unique<TQtRepeatTimer>();
}

// ---------------------------------------------------------------- button

TNavButton::TNavButton(TNavigateBtn kind, TDBNavigator* navigator)
    : QPushButton(navigator), v_kind(kind), v_navigator(navigator) {
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
    setDefault(false);
    setAutoRepeat(false);  // the navigator repeats by its own clock
    setIconSize(QSize(14, 13));
}

void TNavButton::mousePressEvent(QMouseEvent* event) {
    QPushButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isDown() && Repeats())
        v_navigator->StartRepeat(this);
}

void TNavButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        v_navigator->StopRepeat();
    // Released over the button: the ordinary click makes one more move.
    QPushButton::mouseReleaseEvent(event);
}

// ---------------------------------------------------------------- navigator

TDBNavigator::TDBNavigator(QWidget* parent)
    : QWidget(parent), v_hints(DefaultHints()), v_repeatTimer(MakeQtRepeatTimer()) {
    setFocusPolicy(Qt::NoFocus);
    v_repeatTimer->SetTimeout([this] { RepeatTick(); });
    for (int i = 0; i < VisibleButtonCount; ++i) {
        const TButtonLook& look = VisibleButtons[i];
        auto* button = new TNavButton(look.kind, this);
        button->setObjectName(QString::fromLatin1(look.name));
        button->setIcon(ArrowImage(look.image));
        const TNavigateBtn kind = look.kind;
        connect(button, &QPushButton::clicked, this, [this, kind] { RunHandler([this, kind] { BtnClick(kind); }); });
        v_buttons[i] = button;
    }
    SetHints(v_hints);
    LayoutButtons();
    UpdateButtons();
}

TDBNavigator::~TDBNavigator() = default;

void TDBNavigator::SetDataSource(TDataSource* dataSource) {
    v_link.Follow(dataSource, this, {&TDataSource::StateChange, &TDataSource::DataChange}, [this] { UpdateButtons(); });
}

TFDQuery* TDBNavigator::DataSet() const {
    return v_link.Source() ? v_link.Source()->DataSet() : nullptr;
}

void TDBNavigator::SetHints(const QStringList& hints) {
    QStringList merged = DefaultHints();
    for (qsizetype i = 0; i < merged.size() && i < hints.size(); ++i)
        merged[i] = hints.at(i);
    v_hints = merged;
    // A button shows only a picture: its short hint is its name.
    for (TNavButton* button : v_buttons) {
        const QString hint = v_hints.at(static_cast<int>(button->Kind()));
        SetHint(button, hint);
        button->setAccessibleName(SplitHint(hint).shortPart);
    }
}

TNavButton* TDBNavigator::Button(TNavigateBtn kind) const {
    for (TNavButton* button : v_buttons) {
        if (button->Kind() == kind)
            return button;
    }
    return nullptr;
}

void TDBNavigator::BtnClick(TNavigateBtn kind) {
    TFDQuery* query = DataSet();
    if (!query || !query->Active())
        return;
    switch (kind) {
    case TNavigateBtn::nbFirst:
        query->First();
        break;
    case TNavigateBtn::nbPrior:
        query->Prior();
        break;
    case TNavigateBtn::nbNext:
        query->Next();
        break;
    case TNavigateBtn::nbLast:
        query->Last();
        break;
    default:
        break;
    }
}

// First and prior need a cursor not at its beginning, next and last one
// not at its end; a closed cursor disables all four.
void TDBNavigator::UpdateButtons() {
    const TFDQuery* query = DataSet();
    const bool active = query && query->Active();
    const bool backwards = active && !query->Bof();
    const bool forwards = active && !query->Eof();
    for (TNavButton* button : v_buttons) {
        const bool towardsStart = button->Kind() == TNavigateBtn::nbFirst || button->Kind() == TNavigateBtn::nbPrior;
        button->setEnabled(towardsStart ? backwards : forwards);
    }
    // A held button that the move disabled stops repeating; being disabled,
    // it also makes no move when released.
    if (v_repeating && !v_repeating->isEnabled())
        StopRepeat();
}

void TDBNavigator::StartRepeat(TNavButton* button) {
    v_repeating = button;
    v_repeatTimer->Start(InitRepeatPause);
}

void TDBNavigator::StopRepeat() {
    v_repeating = nullptr;
    v_repeatTimer->Stop();
}

// The pointer off the held button suspends the moves; the clock runs on so
// they resume as soon as it is back.
void TDBNavigator::RepeatTick() {
    TNavButton* button = v_repeating;
    if (!button)
        return;
    if (button->isDown()) {
        bool moved = false;
        RunHandler([&] {
            BtnClick(button->Kind());
            moved = true;
        });
        if (!moved) {
            StopRepeat();
            return;
        }
    }
    if (v_repeating == button)
        v_repeatTimer->Start(RepeatPause);
}

void TDBNavigator::SetRepeatTimer(std::unique_ptr<TRepeatTimer> timer) {
    StopRepeat();
    v_repeatTimer = std::move(timer);
    v_repeatTimer->SetTimeout([this] { RepeatTick(); });
}

void TDBNavigator::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutButtons();
}

// The width is shared equally among the visible buttons, side by side from
// the left edge.
void TDBNavigator::LayoutButtons() {
    const int buttonWidth = width() / VisibleButtonCount;
    for (int i = 0; i < VisibleButtonCount; ++i)
        v_buttons[i]->setGeometry(i * buttonWidth, 0, buttonWidth, height());
}
