#pragma once
// The page "Bild" of the diagram window: the chart as a picture to the clipboard, into a file or
// to the printer.
#include <QWidget>
#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zemtral {

struct Session;
class UserDialogs;
class ChartComponent;

class PicturePage : public QWidget {
  public:
    PicturePage(Session& session, UserDialogs& dialogs, ChartComponent& chart, QWidget* parent = nullptr);

    /// @brief The mode of the menu "  &Bild ...": 0 clipboard, 1 file, 2 printer.
    void setMode(int mode);
    /// @brief "Ausführen" (cmdPrint).
    void run();

  private:
    Session& m_session;
    UserDialogs& m_dialogs;
    ChartComponent& m_chart;
    int m_mode = 0;
    QLabel* m_modeLabel = nullptr;
    QComboBox* m_format = nullptr;
    std::array<QLineEdit*, 4> m_printFields{};
    QButtonGroup* m_scaling = nullptr;
};

}  // namespace zemtral
