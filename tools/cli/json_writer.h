// A small JSON writer: strings arrive as the program's UTF-8 and leave as
// escaped UTF-8, so any name or value gives valid JSON.
#pragma once

#include <cstdint>
#include <string>

class JsonWriter {
public:
    void BeginObject() { Separate(); out_ += '{'; first_ = true; }
    void EndObject() { out_ += '}'; first_ = false; }
    void BeginArray() { Separate(); out_ += '['; first_ = true; }
    void EndArray() { out_ += ']'; first_ = false; }
    void Key(const std::string& key) { Separate(); String(key); out_ += ':'; first_ = true; }
    void Value(const std::string& text) { Separate(); String(text); }
    void Value(int64_t n) { Separate(); out_ += std::to_string(n); }
    void Value(bool b) { Separate(); out_ += b ? "true" : "false"; }
    const std::string& Text() const { return out_; }

private:
    void Separate() {
        if (!first_) out_ += ',';
        first_ = false;
    }
    void String(const std::string& utf8);
    std::string out_;
    bool first_ = true;
};
