#pragma once
// The features of the program's main window, made in the order they build.

class THTMLEMainForm;

void MakeMainFormFeatures(THTMLEMainForm& form);
