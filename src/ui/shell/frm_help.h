#pragma once
// The help viewer: German help pages by topic number, from the application home's help folder
// or, when a page is missing there, from the pages built into the program.
#include <QWidget>
#include <string>

class QTextBrowser;

namespace zemtral {

class frmHelp : public QWidget {
    Q_OBJECT
  public:
    explicit frmHelp(std::string helpDir, QWidget* parent = nullptr);
    /// @brief Shows topic `topic`; a topic without a page shows a note and the overview link.
    void showTopic(int topic);
    int currentTopic() const { return m_topic; }
    QString pageText() const;

  private:
    std::string m_helpDir;
    QTextBrowser* m_browser = nullptr;
    int m_topic = 0;
};

}  // namespace zemtral
