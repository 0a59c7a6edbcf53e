#pragma once
// The matrix window "  Stöchiometrische Matrix" of the selected model.
#include <QWidget>

#include "session/session.h"

namespace zemtral {

class frmmatrix : public QWidget {
    Q_OBJECT
  public:
    explicit frmmatrix(const Session& session, QWidget* parent = nullptr);
};

}  // namespace zemtral
