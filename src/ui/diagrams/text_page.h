#pragma once
// The page "Texte" of the diagram window: header, additional text and axis titles.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zemtral {

class DiagramDocument;

class TextPage : public QWidget {
  public:
    explicit TextPage(DiagramDocument& document, QWidget* parent = nullptr);

    /// @brief The text of the chosen entry again.
    void showText();
    /// @brief Chooses "Kopftext" (0) .. "y-Achsenbeschriftung" (3).
    void choose(int entry);
    /// @brief Puts the cursor into the text field.
    void focusText();

  private:
    void applyText();

    DiagramDocument& m_document;
    bool m_updating = false;
    QComboBox* m_choice = nullptr;
    QLineEdit* m_text = nullptr;
    QCheckBox* m_framed = nullptr;
};

}  // namespace zemtral
