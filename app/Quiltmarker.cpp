// The program's entry point.

#include "platform/FileUtils.h"
#include "platform/Forms.h"

namespace {

// Installed, the shipped data lie in ../share/quiltmarker beside the program; run from a build
// folder, they are the source tree's data folder.
String ShippedDataFolder() {
    String installed = ExtractFilePath(Application->ExeName()) + "../share/quiltmarker";
    return DirectoryExists(installed) ? installed : String(QM_SOURCE_DATA);
}

} // namespace

int main(int argc, char** argv) {
    Application->Initialize(argc, argv);
    SetShippedDataFolder(ShippedDataFolder());
    Application->SetTitle("Quiltmarker");
    TForm* mainForm = Application->CreateForm<TForm>();
    mainForm->SetCaption("Quiltmarker");
    mainForm->SetBounds(100, 100, 800, 600);
    Application->Run();
    return 0;
}
