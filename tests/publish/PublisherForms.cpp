#include "PublisherForms.h"

#include "publish/AnimPubForm.h"
#include "publish/Ferrydock95Main.h"

namespace PublisherForms {

void Make() {
    Ferrydock95Form = new TFerrydock95Form(nullptr);
    AnimPub = new TAnimPub(nullptr);
}

void Free() {
    delete AnimPub;
    AnimPub = nullptr;
    delete Ferrydock95Form;
    Ferrydock95Form = nullptr;
}

bool MessagesOff() {
    return Ferrydock95Form->MessagesOff;
}

} // namespace PublisherForms
