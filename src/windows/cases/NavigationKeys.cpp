#include "windows/cases/NavigationKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>

NavigationKeys::NavigationKeys(QWidget* panel, const QList<Binding>& bindings) : QObject(panel), m_panel(panel)
{
    for (const auto& binding : bindings) {
        const QKeySequence key = binding.first;
        QAbstractButton* button = binding.second;
        // The panel is the shortcut's parent: while it is hidden its keys do nothing.
        auto* shortcut = new QShortcut(key, panel);
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled())
                button->click();
        });
        m_keys.append(key);
    }
    // The focused control is asked first whether it wants the key (ShortcutOverride); only the application sees that
    // question before it does, whichever control of the panel, or inside a combo, has the focus.
    qApp->installEventFilter(this);
}

bool NavigationKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !m_panel->isVisible() || (widget != m_panel && !m_panel->isAncestorOf(widget)))
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    if (!m_keys.contains(pressed))
        return false;
    // Left unclaimed, the key goes on to the panel's shortcut.
    event->ignore();
    return true;
}
