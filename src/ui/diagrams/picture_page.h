#pragma once
// The page "Bild" of the diagram window: the chart as a picture to the clipboard, into a file or
// to the printer.
#include <QWidget>
#include <array>
#include <functional>

class QButtonGroup;
class QPrinter;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zemtral {

struct Session;
class UserDialogs;
class ChartComponent;
class QtChartComponent;

class PicturePage : public QWidget {
  public:
    PicturePage(Session& session, UserDialogs& dialogs, QtChartComponent& chart, QWidget* parent = nullptr);

    /// @brief The mode of the menu "  &Bild ...": 0 clipboard, 1 file, 2 printer.
    void setMode(int mode);
    /// @brief "Ausführen" (cmdPrint).
    void run();

    /// @brief Lets the user choose the printer or a PDF file for `printer` (the print dialog);
    /// false when cancelled. Tests replace it.
    std::function<bool(QPrinter&)> choosePrinter;

  private:
    Session& m_session;
    UserDialogs& m_dialogs;
    QtChartComponent& m_view;
    ChartComponent& m_chart;
    int m_mode = 0;
    QLabel* m_modeLabel = nullptr;
    QComboBox* m_format = nullptr;
    std::array<QLineEdit*, 4> m_printFields{};
    QButtonGroup* m_scaling = nullptr;
};

}  // namespace zemtral
