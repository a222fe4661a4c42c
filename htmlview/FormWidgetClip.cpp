#include "htmlview/FormWidgetClip.h"

#include <QEvent>
#include <QWidget>

namespace htmlview {

namespace {

bool TakesTab(const QWidget& widget)
{
    return (widget.focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget.focusProxy() == nullptr
        && widget.isEnabled();
}

// Whether Qt's own Tab would stop at Widget.
bool TabStop(const QWidget& widget, const QWidget& window)
{
    return TakesTab(widget) && widget.isVisibleTo(&window);
}

bool HoldsWindowFocus(const QWidget& widget)
{
    const QWidget* focus = widget.window()->focusWidget();
    return focus != nullptr && (focus == &widget || widget.isAncestorOf(focus));
}

} // namespace

TFormWidgetClip::TFormWidgetClip(QWidget& panel) : QObject(&panel), Panel_(panel)
{
    panel.installEventFilter(this);
}

TFormWidgetClip& TFormWidgetClip::Of(QWidget& panel)
{
    if (TFormWidgetClip* clip = Find(panel))
        return *clip;
    return *new TFormWidgetClip(panel);
}

TFormWidgetClip* TFormWidgetClip::Find(const QWidget& panel)
{
    // The clip is made before the panel's widgets, so it comes first among its children.
    for (QObject* child : panel.children())
        if (auto* clip = dynamic_cast<TFormWidgetClip*>(child))
            return clip;
    return nullptr;
}

void TFormWidgetClip::Add(const QWidget& outer, TClippedWidget& widget)
{
    Widgets_[&outer] = &widget;
}

void TFormWidgetClip::Remove(const QWidget& outer)
{
    Widgets_.erase(&outer);
}

bool TFormWidgetClip::Shows(const QWidget& outer) const
{
    return outer.geometry().intersects(Panel_.rect()) || HoldsWindowFocus(outer);
}

std::pair<const QWidget*, TClippedWidget*> TFormWidgetClip::OwnerOf(const QWidget& widget) const
{
    for (const QWidget* w = &widget; w != nullptr && w != &Panel_; w = w->parentWidget())
        if (const auto found = Widgets_.find(w); found != Widgets_.end())
            return *found;
    return {nullptr, nullptr};
}

bool TFormWidgetClip::MoveFocus(const QWidget& from, bool next)
{
    const QWidget& window = *from.window();
    const auto step = [next](const QWidget* w) { return next ? w->nextInFocusChain() : w->previousInFocusChain(); };
    const auto ownerOf = [this](const QWidget& w) {
        return Panel_.isAncestorOf(&w) ? OwnerOf(w) : std::pair<const QWidget*, TClippedWidget*>{nullptr, nullptr};
    };
    const QWidget* start = &from;
    if (const auto [outer, owner] = ownerOf(from); owner && owner->HoldsPlace())
        start = outer;
    for (QWidget* test = step(start); test != nullptr && test != start; test = step(test)) {
        const auto [outer, owner] = ownerOf(*test);
        QWidget* target = nullptr;
        if (owner == nullptr) {
            target = TabStop(*test, window) ? test : nullptr;
        } else if (!owner->WantedVisible()) {
            // Hidden by the page: Qt passes it too.
        } else if (owner->HoldsPlace()) {
            target = test == outer ? owner->Reveal() : nullptr;
        } else if (TakesTab(*test) && (test == outer || test->isVisibleTo(outer))) {
            owner->Reveal();
            target = test;
        }
        if (target != nullptr) {
            target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

bool TFormWidgetClip::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &Panel_ && event->type() == QEvent::Resize)
        for (const auto& [outer, widget] : Widgets_)
            widget->UpdateShown();
    return QObject::eventFilter(watched, event);
}

} // namespace htmlview
