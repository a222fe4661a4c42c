#pragma once
// The form widgets of a paint panel, shown by Qt only where they can be seen. A widget the page
// shows stays shown as far as the page is concerned (it keeps its place, counts as visible and
// Tab reaches it), but Qt shows it only while it meets the panel or holds its window's focus:
// thousands of shown widgets outside the panel make every repaint of it look at each of them.
#include <QObject>

#include <unordered_map>

class QWidget;

namespace htmlview {

// One widget of the panel, as the clip sees it.
class TClippedWidget {
public:
    virtual ~TClippedWidget() = default;
    // Whether the page shows it.
    virtual bool WantedVisible() const = 0;
    // Whether its child of the panel only holds the place of the widget that takes the focus,
    // which is made inside it when first needed and so comes late in the focus chain: Tab stops
    // at the holder as at that widget, never at that widget's own place.
    virtual bool HoldsPlace() const = 0;
    // Shows it now (and makes what it still lacks), for the focus it is about to take; returns
    // the widget that takes the focus for it.
    virtual QWidget* Reveal() = 0;
    // Shows or hides it in Qt after its place, the panel's size or the focus changed.
    virtual void UpdateShown() = 0;
};

class TFormWidgetClip : public QObject {
public:
    // The panel's clip, made on first use; it goes with the panel.
    static TFormWidgetClip& Of(QWidget& panel);
    static TFormWidgetClip* Find(const QWidget& panel);

    // Outer is the widget's child of the panel.
    void Add(const QWidget& outer, TClippedWidget& widget);
    void Remove(const QWidget& outer);
    // Whether Qt shows Outer, a child of the panel the page shows.
    bool Shows(const QWidget& outer) const;
    // Moves the focus from From as Tab (Next) or Backtab does, with every widget the page shows
    // counted as shown and place holders standing for what they hold; false when no widget of
    // the window takes it.
    bool MoveFocus(const QWidget& from, bool next);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TFormWidgetClip(QWidget& panel);
    // The registered child of the panel that holds Widget (or is it), with its entry.
    std::pair<const QWidget*, TClippedWidget*> OwnerOf(const QWidget& widget) const;

    QWidget& Panel_;
    std::unordered_map<const QWidget*, TClippedWidget*> Widgets_;
};

} // namespace htmlview
