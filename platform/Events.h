#pragma once
// A form's handler as an event: what the form resource's event binding does, so that wiring an
// event names its handler and nothing else.
//
//     Close1->OnClick = Handler(this, &THTMLEMainForm::Close1Click);

#include <functional>
#include <type_traits>
#include <utility>

// The event that calls method on form with the event's arguments, as they come; it fits every
// event whose parameters the handler's match (TNotifyEvent, TCloseQueryEvent, TMouseMoveEvent...).
// The method may be one the form inherits.
template <typename TOwner, typename... TArgs>
std::function<void(TArgs...)> Handler(std::type_identity_t<TOwner>* form,
                                      void (TOwner::*method)(TArgs...)) {
    return [form, method](TArgs... args) { (form->*method)(std::forward<TArgs>(args)...); };
}
