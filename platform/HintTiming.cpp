#include "platform/HintTiming.h"

#include <QApplication>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <QWidget>

namespace platform {

namespace {

// The rest before a hint shows is a hint of the style.
class THintStyle : public QProxyStyle {
public:
    THintStyle(QStyle* base, int pauseMs) : QProxyStyle(base), pauseMs_(pauseMs) {}
    void SetPause(int pauseMs) { pauseMs_ = pauseMs; }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return pauseMs_;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    int pauseMs_;
};

// How long a hint stays is chosen where it is shown: every control's own hint is shown here.
class THintDisplay : public QObject {
public:
    explicit THintDisplay(int hidePauseMs) : QObject(qApp), hidePauseMs_(hidePauseMs) {}
    void SetHidePause(int hidePauseMs) { hidePauseMs_ = hidePauseMs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        // A control without a hint of its own leaves the event to its parents.
        if (widget->toolTip().isEmpty())
            return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), widget->toolTip(), widget, QRect(),
                           hidePauseMs_);
        return true;
    }

private:
    int hidePauseMs_;
};

THintDisplay* hintDisplay = nullptr;

} // namespace

void SetHintTiming(int pauseMs, int hidePauseMs)
{
    if (auto* style = dynamic_cast<THintStyle*>(QApplication::style()))
        style->SetPause(pauseMs);
    else
        QApplication::setStyle(new THintStyle(QStyleFactory::create(QApplication::style()->name()), pauseMs));
    if (hintDisplay == nullptr) {
        hintDisplay = new THintDisplay(hidePauseMs);
        QObject::connect(hintDisplay, &QObject::destroyed, [] { hintDisplay = nullptr; });
        qApp->installEventFilter(hintDisplay);
    }
    hintDisplay->SetHidePause(hidePauseMs);
}

} // namespace platform
