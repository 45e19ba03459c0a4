#pragma once

// The record navigator of the viewer.

#include "store/TDataSource.h"

#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class TDataSource;
class TFDQuery;
class TDBNavigator;

// The kinds of navigator button, in the navigator's own order; this
// navigator shows the first four.
enum class TNavigateBtn {
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh,
    nbApplyUpdates,
    nbCancelUpdates,
};

// The clock that a held step button repeats by: after Start(ms) it calls
// the timeout once, `ms` milliseconds later, unless stopped or started anew.
// The navigator runs on a real timer; a test can hand it one it drives.
class TRepeatTimer {
public:
    virtual ~TRepeatTimer() = default;
    void SetTimeout(std::function<void()> timeout) { v_timeout = std::move(timeout); }
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;

protected:
    void Fire() {
        if (v_timeout)
            v_timeout();
    }

private:
    std::function<void()> v_timeout;
};

// The real clock: a single-shot timer of the GUI thread.
std::unique_ptr<TRepeatTimer> MakeQtRepeatTimer();

// One button of the navigator: raised, with an arrow image, never focused.
class TNavButton : public QPushButton {
    Q_OBJECT

public:
    TNavButton(TNavigateBtn kind, TDBNavigator* navigator);
    TNavigateBtn Kind() const { return v_kind; }
    // Whether holding the button down repeats its move.
    bool Repeats() const { return v_kind == TNavigateBtn::nbPrior || v_kind == TNavigateBtn::nbNext; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TNavigateBtn v_kind;
    TDBNavigator* v_navigator;
};

// The record navigator over a data source: first, prior, next and last,
// enabled by the cursor's Bof and Eof marks. Prior and next repeat while
// held: first after InitRepeatPause, then every RepeatPause, moving only
// while the pointer is over the button.
class TDBNavigator : public QWidget {
    Q_OBJECT

public:
    static constexpr int InitRepeatPause = 400;
    static constexpr int RepeatPause = 100;
    static constexpr int VisibleButtonCount = 4;

    explicit TDBNavigator(QWidget* parent = nullptr);
    ~TDBNavigator() override;

    void SetDataSource(TDataSource* dataSource);

    // One hint per kind of button, in the order of TNavigateBtn; each
    // button takes the entry of its kind.
    void SetHints(const QStringList& hints);
    const QStringList& Hints() const { return v_hints; }

    TNavButton* Button(TNavigateBtn kind) const;

    // The move of a button's kind, made when the cursor is open.
    void BtnClick(TNavigateBtn kind);

    // Replaces the repeat clock (tests drive their own).
    void SetRepeatTimer(std::unique_ptr<TRepeatTimer> timer);
    bool Repeating() const { return v_repeating != nullptr; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TNavButton;
    void StartRepeat(TNavButton* button);
    void StopRepeat();
    void RepeatTick();
    void UpdateButtons();
    void LayoutButtons();
    TFDQuery* DataSet() const;

    std::array<TNavButton*, VisibleButtonCount> v_buttons{};
    TDataLink<TDataSource> v_link;
    QStringList v_hints;
    std::unique_ptr<TRepeatTimer> v_repeatTimer;
    TNavButton* v_repeating = nullptr;
};
