// Dialog template 107, "Transparent Setting".
#pragma once

#include "TransDialog.h"

#include <QDialog>

class QLabel;
class QSlider;

class CQtTransDialog : public QDialog, public ITransDialogView {
    Q_OBJECT
public:
    explicit CQtTransDialog(CTransDialog& logic, QWidget* parent = nullptr);
    // Initialises and runs modally: 1 when closed with OK.
    int Run();
    void Open() { logic_.OnInitDialog(*this); }

    void SetRange(int lowest, int highest) override;
    void SetPosition(int position) override;
    void SetPercentText(const std::string& text) override;

private:
    CTransDialog& logic_;
    QSlider* slider_;
    QLabel* percent_;
};
