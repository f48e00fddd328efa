// The main window's captions in its two interface languages.
#pragma once

#include <QString>

// What assistive technology announces for the controls whose captions do
// not say what they are; switched with the captions.
struct AccessibleNames {
  QString statusLine;   // Label5
  QString installedRf;  // StaticText1
  QString chosenRf;     // StaticText2
  QString country;      // ComboBoxEx1
  QString port;         // ComboBox1
  QString refresh;      // SpeedButton1
  QString breakSearch;  // SpeedButton4
  QString table;        // SpeedButton2
  QString levelSlider;  // TrackBar1
  QString levelStep;    // UpDown1
  QString levelUp;      // its arrows
  QString levelDown;
  QString levelText;    // Edit1
  QString grid;         // StringGrid1
  QString cell;         // a byte's cell, %1 its offset in the block
};

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
  AccessibleNames names;
};

const Captions& RussianCaptions();
const Captions& EnglishCaptionsTable();
