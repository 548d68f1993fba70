#include "GridEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include <memory>

namespace tovarin {

void GridEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste))
        emit pasteRequested();
    else if (event->matches(QKeySequence::Undo))
        emit undoRequested();
    else
        QLineEdit::keyPressEvent(event);
}

void GridEdit::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // The standard actions are named; theirs go to the dialog instead.
    const std::pair<const char*, void (GridEdit::*)()> rerouted[] = {
        {"edit-paste", &GridEdit::pasteRequested}, {"edit-undo", &GridEdit::undoRequested}};
    for (const auto& [name, signal] : rerouted) {
        if (QAction* action = menu->findChild<QAction*>(QLatin1String(name))) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, signal);
        }
    }
    menu->exec(event->globalPos());
}

} // namespace tovarin
