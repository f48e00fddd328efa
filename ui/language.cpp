// Switching the main window's captions between Russian and English.
#include <QLineEdit>
#include <QToolButton>

#include "ui/captions.h"
#include "ui/settings_window.h"
#include "ui/table_window.h"
#include "ui/up_down.h"
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
  ApplyAccessibleNames(captions);
}

// Names only: no caption, hint or status text changes with them.
void TSettings_Zelvane::ApplyAccessibleNames(const Captions& captions) {
  const AccessibleNames& names = captions.names;
  ui_->Label5->SetMeaning(names.statusLine);
  ui_->StaticText1->SetMeaning(names.installedRf);
  ui_->StaticText2->SetMeaning(names.chosenRf);
  // A box is announced by what it shows, where it shows anything; its
  // description says what it is.
  ui_->ComboBoxEx1->setAccessibleName(names.country);
  ui_->ComboBoxEx1->setAccessibleDescription(names.country);
  ui_->ComboBox1->setAccessibleName(names.port);
  ui_->ComboBox1->lineEdit()->setAccessibleName(names.port);
  ui_->ComboBox1->setAccessibleDescription(captions.portPrompt);
  ui_->SpeedButton1->setAccessibleName(names.refresh);
  ui_->SpeedButton4->setAccessibleName(names.breakSearch);
  ui_->SpeedButton2->setAccessibleName(names.table);
  ui_->TrackBar1->setAccessibleName(names.levelSlider);
  ui_->UpDown1->setAccessibleName(names.levelStep);
  ui_->UpDown1->IncreaseButton()->setAccessibleName(names.levelUp);
  ui_->UpDown1->DecreaseButton()->setAccessibleName(names.levelDown);
  ui_->Edit1->setAccessibleName(names.levelText);
  if (tableWindow_ != nullptr) tableWindow_->SetAccessibleNames(names.grid, names.cell);
}
