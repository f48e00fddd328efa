// The main window's captions in its two interface languages.
#pragma once

#include <QString>

struct Captions {
  QString window;
  QString languageButton;   // SpeedButton5
  QString countryPrompt;    // ComboBoxEx1, while no country is selected
  QString connectGroup;     // GroupBox2
  QString automatically;    // RadioButton1
  QString fromList;         // RadioButton2
  QString portPrompt;       // ComboBox1, while no port is selected
  QString connect;          // BitBtn2
  QString parametersGroup;  // GroupBox3
  QString installedRf;      // Label2
  QString byCountry;        // Label4
  QString modulationGroup;  // GroupBox1
  QString rfRange;          // Label6
  QString channelsGroup;    // GroupBox4
  QString levelRange;       // Label3
  QString write;            // SpeedButton3
};

const Captions& RussianCaptions();
const Captions& EnglishCaptionsTable();
