// gauss-converter: the one application object, and the entry that runs it.
#include "app/converter_app.h"

CConverterApp theApp;

int main(int argc, char** argv) {
    return AfxWinMain(argc, argv);
}
