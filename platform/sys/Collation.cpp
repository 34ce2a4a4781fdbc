#include "platform/sys/Collation.h"

#include <QCollator>
#include <QLocale>
#include <vector>

namespace ctl {

namespace {
// The machine's collation order. The bare "C" locale has no order of its own beyond code
// points, which would put every capital before every small letter; its users get English.
QCollator MakeCollator() {
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
    QCollator c(locale);
    c.setCaseSensitivity(Qt::CaseInsensitive);
    c.setNumericMode(false);
    return c;
}

const QCollator& SharedCollator() {
    static const QCollator c = MakeCollator();
    return c;
}

QString FromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
}  // namespace

struct CollationKeys::Impl {
    std::vector<QCollatorSortKey> keys;
};

CollationKeys::CollationKeys() : d_(std::make_unique<Impl>()) {}
CollationKeys::~CollationKeys() = default;

void CollationKeys::reserve(size_t n) {
    d_->keys.reserve(n);
}

void CollationKeys::add(std::string_view text) {
    d_->keys.push_back(SharedCollator().sortKey(FromUtf8(text)));
}

size_t CollationKeys::size() const {
    return d_->keys.size();
}

int CollationKeys::compare(size_t a, size_t b) const {
    return d_->keys[a].compare(d_->keys[b]);
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
    return SharedCollator().compare(FromUtf8(a), FromUtf8(b));
}

}  // namespace ctl
