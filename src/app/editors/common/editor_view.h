#pragma once
// The view of a child window: it hears every change notification of the
// program and stores its pages when asked (before a save or a write).
#include <QWidget>

namespace qrv {

class CEditorContext;
struct CNotification;

class CEditorView : public QWidget {
    Q_OBJECT
public:
    CEditorView(CEditorContext& context, QWidget* parent = nullptr);

    virtual void OnNotification(const CNotification& notification, QObject* origin) = 0;
    virtual void StorePages() = 0;

signals:
    // The user moved to another record inside the view (a row of a grid):
    // the navigation bar follows.
    void CurrentRecordChanged();

protected:
    CEditorContext& Context() const { return m_context; }

private:
    CEditorContext& m_context;
};

} // namespace qrv
