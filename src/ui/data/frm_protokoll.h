#pragma once
// The protocol window "  Ergebnis-Protokoll schreiben": collects the 20 result values that a
// calculation window hands over (the session's protocol row) as rows of the protocol log, writes
// them as a CSV file, copies the file to the clipboard and takes the next automatic name.
#include <QWidget>
#include <functional>

#include "data/protocol_table.h"
#include "session/window_host.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace zemtral {

struct Session;
class UserDialogs;

/// @brief What the protocol window reaches outside itself.
struct ProtocolWindowLinks {
    std::function<QWidget*(WindowId)> window;  ///< an open window of the program, or nullptr
    ProtocolSource source = ProtocolSource::None;
};

/// @brief frmProtokoll. Controls: cmdProtokoll, cmdOpenNew, cmdClose, cmbSep, lblProtFile, lblRowCount.
class frmProtokoll : public QWidget {
    Q_OBJECT
  public:
    frmProtokoll(Session& session, UserDialogs& dialogs, ProtocolWindowLinks links,
                 QWidget* parent = nullptr);

    /// @brief "Ergebnis protokollieren": the session's protocol row as a new row.
    void addRow();
    /// @brief "schließen / neues File öffnen und Protokoll in Clipboard". False when the file could
    /// not be written: the rows stay collected and the clipboard keeps its content.
    bool closeProtocolFile();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void showState();
    void placeNextToSource();

    Session& m_session;
    UserDialogs& m_dialogs;
    ProtocolWindowLinks m_links;
    QComboBox* m_separator = nullptr;
    QLabel* m_fileName = nullptr;
    QLabel* m_rowCount = nullptr;
    QPushButton* m_openNew = nullptr;
    bool m_placed = false;
};

}  // namespace zemtral
