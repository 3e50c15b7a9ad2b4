#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <utility>

class QAbstractButton;
class QWidget;

/// The keys of a panel's navigation buttons, taken by the buttons from any control of the panel. A text box or an
/// editable combo claims Ctrl+Home and Ctrl+End for its own cursor before a shortcut is looked for, and the focus
/// nearly always sits in one of them; here the buttons get those keys first.
class NavigationKeys : public QObject {
    Q_OBJECT
public:
    using Binding = std::pair<QKeySequence, QAbstractButton*>;

    /// Each key clicks its button while the panel is shown and the button enabled.
    NavigationKeys(QWidget* panel, const QList<Binding>& bindings);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_panel;
    QList<QKeySequence> m_keys;
};
