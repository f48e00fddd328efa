// Switching the main window's captions between Russian and English.
#include <QLineEdit>

#include "ui/captions.h"
#include "ui/settings_window.h"
#include "ui_settings_window.h"

const Captions& TSettings_Zelvane::CurrentCaptions() const {
  return englishCaptions_ ? EnglishCaptionsTable() : RussianCaptions();
}

void TSettings_Zelvane::SpeedButton5Click() {
  englishCaptions_ = !englishCaptions_;
  ApplyCaptions(CurrentCaptions());
}

void TSettings_Zelvane::ApplyCaptions(const Captions& captions) {
  setWindowTitle(captions.window);
  ui_->SpeedButton5->setText(captions.languageButton);
  const QLabel* glyphSource = englishCaptions_ ? ui_->Image2 : ui_->Image1;
  ui_->SpeedButton5->setIcon(QIcon(glyphSource->pixmap(Qt::ReturnByValue)));
  // A placeholder shows only while nothing is selected; a selected
  // country or port keeps its own text.
  if (ui_->ComboBoxEx1->currentIndex() == -1) {
    ui_->ComboBoxEx1->setPlaceholderText(captions.countryPrompt);
  }
  ui_->GroupBox2->setTitle(captions.connectGroup);
  ui_->RadioButton1->setText(captions.automatically);
  ui_->RadioButton2->setText(captions.fromList);
  if (ui_->ComboBox1->currentIndex() == -1) {
    ui_->ComboBox1->lineEdit()->setPlaceholderText(captions.portPrompt);
  }
  ui_->BitBtn2->setText(captions.connect);
  ui_->GroupBox3->setTitle(captions.parametersGroup);
  ui_->Label2->setText(captions.installedRf);
  ui_->Label4->setText(captions.byCountry);
  ui_->GroupBox1->setTitle(captions.modulationGroup);
  ui_->Label6->setText(captions.rfRange);
  ui_->Label6->adjustSize();
  ui_->GroupBox4->setTitle(captions.channelsGroup);
  ui_->Label3->setText(captions.levelRange);
  ui_->Label3->adjustSize();
  ui_->SpeedButton3->setText(captions.write);
}
