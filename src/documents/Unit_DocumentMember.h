#pragma once
// Most answers of a questionnaire take any value the window hands over; only some are range
// checked. These macros keep the unchecked ones to one line each, so that the class body
// reads like the column list of its table. Each leaves the class in its private section.

// A member with getter Name(), setter SetName(value) and the start value of a new object.
#define VELTA_DOC_MEMBER(Type, Name, Initial)                                                      \
public:                                                                                            \
    Type Name() const { return m_##Name; }                                                         \
    void Set##Name(Type value) { m_##Name = value; }                                               \
                                                                                                   \
private:                                                                                           \
    Type m_##Name = Initial;

// The same with a validating setter, defined in the class's .cpp file.
#define VELTA_DOC_CHECKED_MEMBER(Type, Name, Initial)                                              \
public:                                                                                            \
    Type Name() const { return m_##Name; }                                                         \
    void Set##Name(Type value);                                                                    \
                                                                                                   \
private:                                                                                           \
    Type m_##Name = Initial;

// Values of the three-state answers (family history, the card's diseases).
namespace TriState {
constexpr int No = 0;
constexpr int Yes = 1;
constexpr int Unknown = 2; // "не знаю" / "НЕ ИЗВЕСТНО"
}
