#pragma once
// A flow or response field of the measurement grid: a line edit that hands
// pasting (Ctrl+V or its context menu) and undo (Ctrl+Z or its context menu)
// to the dialog, which may fill or restore several fields at once. A file
// dropped on it is handed to the dialog to open as measurements.

#include <QLineEdit>

namespace tovarin {

class GridEdit : public QLineEdit
{
    Q_OBJECT

  public:
    using QLineEdit::QLineEdit;

  signals:
    void pasteRequested();
    void undoRequested();
    void fileDropped(const QString& path);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace tovarin
