// zelvane-settings: sets the RF output of the Zelvane modulator.
// Started with the argument Q it also offers the register table.
#include "ui/application.h"
#include "ui/settings_window.h"
#include "ui/table_window.h"

int main(int argc, char** argv) {
  ZelvaneApplication app(argc, argv);
  TSettings_Zelvane settings(app.arguments());
  TTableIF table;
  settings.AttachTableWindow(&table);
  settings.show();
  return app.exec();
}
