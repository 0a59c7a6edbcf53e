#pragma once
// The tip window "   22 Tipps zur Arbeit mit ZEMTRAL".
#include <QWidget>
#include <string>
#include <vector>

#include "session/session.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zemtral {

class frmTip : public QWidget {
    Q_OBJECT
  public:
    explicit frmTip(Session& session, QWidget* parent = nullptr);

    /// @brief False when the tips are not wanted at start: the main window closes the window again.
    bool wanted() const { return m_wanted; }
    /// @brief "Tipps zeigen": reads the tips file and shows a random tip.
    void showTips();
    /// @brief "Nächster Tipp".
    void nextTip();

  private:
    Session& m_session;
    bool m_wanted = false;
    std::vector<std::string> m_tips;
    int m_current = 0;
    QLabel* m_tipText = nullptr;
    QLabel* m_title = nullptr;
    QCheckBox* m_showAtStart = nullptr;
    QPushButton* m_show = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace zemtral
