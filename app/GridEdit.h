#pragma once
// A flow or response field of the measurement grid: a line edit that hands
// pasting (Ctrl+V or its context menu) and undo (Ctrl+Z or its context menu)
// to the dialog, which may fill or restore several fields at once.

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

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace tovarin
