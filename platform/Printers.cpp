#include "platform/Printers.h"

TPrinter& Printer() {
    static TPrinter printer;
    return printer;
}
