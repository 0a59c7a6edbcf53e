#pragma once
// What the batch reactor, the stirred tank and the tube windows share: the numbered fields
// inp_0.. (inlet and outlet concentrations, rate constants, the given and computed quantities),
// the option frame of the given quantities, the extents frame, the buttons, the picture, and
// the marking of results that no longer belong to the inputs.
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "session/reactor_commands.h"
#include "ui/reactors/reactor_picture.h"
#include "ui/shell/calculation_window.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QGridLayout;

namespace zemtral {

struct Session;
class UserDialogs;
class NumberField;

/// @brief What a reactor window reaches outside itself.
struct ReactorWindowLinks {
    std::function<bool()> protocolAvailable;  ///< the program has a protocol window
    std::function<void()> openProtocol;       ///< opens it; it logs the session's protocol row
    std::function<void(int topic)> showHelp;
};

class ReactorWindow : public QWidget, public CalculationWindow {
    Q_OBJECT
  public:
    /// @brief Why the shown results are marked as no longer current.
    enum class Staleness { Current, CalculationFailed, InputsChanged };

    // CalculationWindow: the model window's reconfiguration.
    CalcWindowKind calcWindowKind() const override { return m_kind; }
    QWidget* calcWidget() override { return this; }
    CalcWindowExtras calcWindowExtras() const override;
    void applyModelConfig(const CalcWindowConfig& config) override;

    /// @brief "Berechnen" (batch, tube) or "Start" (stirred tank). True when results are shown.
    bool calculate();
    /// @brief Chooses option `index` of the frame of given quantities, as a click does.
    void chooseOption(int index);

    bool hasResults() const { return m_hasResults; }
    Staleness staleness() const { return m_staleness; }
    ReactorPicture* picture() const { return m_picture; }
    QString fieldText(int index) const;
    void setFieldText(int index, const QString& text);

  protected:
    ReactorWindow(Session& session, UserDialogs& dialogs, ReactorWindowLinks links, CalcWindowKind kind,
                  int fieldCount, ReactorPicture::Kind pictureKind, QWidget* parent);

    /// @brief Runs the window's session command on the field texts and shows its fields; returns
    /// success and the conversion for the picture.
    virtual bool runCommand(double& conversion) = 0;
    /// @brief The fields of the given quantities under the current option (the other quantity
    /// fields from 13 on are computed and locked).
    virtual std::vector<int> givenFields(int option) const = 0;
    /// @brief Stores the option in the session and does the window's own steps.
    virtual void optionChosen(int option) = 0;
    /// @brief Called after results were shown, and when they stop being current.
    virtual void resultsShown(double /*conversion*/) {}
    virtual void resultsLost() {}

    // Building blocks of the layouts.
    NumberField* field(int index) const { return m_inp[static_cast<std::size_t>(index)]; }
    QGroupBox* buildConcentrationFrame(const QString& title, const QString& inletCaption,
                                       const QString& inletUnit, const QString& outletCaption,
                                       const QString& outletUnit);
    QGroupBox* buildRateFrame(const QString& title);
    QGroupBox* buildOptionFrame(const QString& title, const std::vector<QString>& captions, int current);
    QWidget* buildKsiFrame();
    /// @brief Label, field and unit label in one row of `grid`.
    void addQuantityRow(QGridLayout* grid, int row, int index, QLabel* label, QLabel* unit);
    QWidget* buildButtonRow(const QString& calculateCaption, const QString& calculateName,
                            const QString& protocolTip, QPushButton* extra = nullptr);
    /// @brief The standard layout: model label, left the concentrations and constants, right the
    /// picture and options, below the quantities, the extents frame and the buttons.
    void assemble(QGroupBox* concentrations, QGroupBox* rates, QGroupBox* options, QWidget* quantities,
                  QWidget* buttons);
    /// @brief Fills the fields from the session at load and applies the model's configuration.
    void loadFromSession(const std::vector<std::pair<int, double>>& ownValues);

    /// @brief The texts of the window's fields by meaning.
    ReactorInputTexts inputTexts() const {
        ReactorInputTexts texts;
        for (int i = 0; i < reactorFieldCount(m_kind); ++i) {
            *reactorField(texts, m_kind, i) = fieldText(i).toStdString();
        }
        return texts;
    }
    /// @brief Shows the texts in the window's fields.
    void showInputTexts(const ReactorInputTexts& texts) {
        for (int i = 0; i < reactorFieldCount(m_kind); ++i) {
            setFieldText(i, QString::fromStdString(*reactorField(texts, m_kind, i)));
        }
    }
    char separator() const;
    int currentOption() const { return m_option; }
    /// @brief Locks the computed fields of the option (grey, read-only) and unlocks the given ones.
    void applyLocks();
    void markStale(Staleness why);

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

    Session& m_session;
    UserDialogs& m_dialogs;

  private:
    void activate();
    void showExtents();
    void focusNextField(int index);
    void updateStaleLook();
    void fitFrame();

    ReactorWindowLinks m_links;
    CalcWindowKind m_kind;
    std::vector<NumberField*> m_inp;
    std::vector<QRadioButton*> m_options;
    ReactorPicture* m_picture = nullptr;
    QLabel* m_modelLabel = nullptr;
    QLabel* m_staleLabel = nullptr;
    QWidget* m_ksiFrame = nullptr;
    QLabel* m_ksi[2] = {nullptr, nullptr};
    QPushButton* m_showKsi = nullptr;
    QPushButton* m_protocol = nullptr;
    int m_option = 0;
    bool m_hasResults = false;
    bool m_everCalculated = false;
    Staleness m_staleness = Staleness::Current;
    bool m_loading = false;
    bool m_watchingSubWindow = false;
};

}  // namespace zemtral
