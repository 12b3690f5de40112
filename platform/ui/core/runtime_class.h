#pragma once

// Creation of toolkit objects by class description: the document template
// makes its document, frame and views, and a splitter makes its panes, from
// a CRuntimeClass without knowing the concrete types.

#include <memory>
#include <typeinfo>

class CObject {
public:
    virtual ~CObject() = default;
};

struct CRuntimeClass {
    const char* className;       // for messages; never null
    CObject* (*createObject)();  // a new object owned by the caller
};

// The class description of T, which must be default-constructible and
// derive from CObject.
template <class T>
const CRuntimeClass* RuntimeClassOf() {
    static const CRuntimeClass description{typeid(T).name(), []() -> CObject* { return new T(); }};
    return &description;
}

// Creates an object of description and returns it as a Base, or null (and
// nothing leaked) when description is null or the object is no Base.
template <class Base>
std::unique_ptr<Base> CreateFromRuntimeClass(const CRuntimeClass* description) {
    if (description == nullptr || description->createObject == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CObject> object(description->createObject());
    auto* typed = dynamic_cast<Base*>(object.get());
    if (typed == nullptr) {
        return nullptr;
    }
    object.release();
    return std::unique_ptr<Base>(typed);
}
