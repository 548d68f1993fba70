#include "GridEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

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

namespace {

// The one local file a drag carries, else empty.
QString DroppedFile(const QMimeData* data)
{
    if (!data || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    return data->urls().constFirst().toLocalFile();
}

} // namespace

void GridEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        QLineEdit::dragEnterEvent(event);
}

void GridEdit::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) {
        QLineEdit::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    emit fileDropped(path);
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
