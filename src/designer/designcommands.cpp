#include "designcommands.h"

#include "designdocument.h"

#include "document/reportitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "platform/xmldom.h"

SectionState SectionState::capture(const ReportSection &s)
{
    SectionState state;
    state.height = s.Height;
    state.items.reserve(size_t(s.items.count()));
    for (const ReportItem *item : s.items) {
        auto copy = item->clone();
        copy->Key = item->Key;
        state.items.push_back(std::move(copy));
        state.selected.push_back(item->selected);
    }
    return state;
}

void SectionState::restore(ReportSection &s) const
{
    s.Height = height;
    s.items.clear();
    for (size_t i = 0; i < items.size(); ++i) {
        auto copy = items[i]->clone();
        copy->copy(*items[i], &s);
        copy->Key = items[i]->Key;
        copy->selected = selected[i];
        s.items.add(items[i]->Key, std::move(copy));
    }
}

bool SectionState::sameAs(const SectionState &other, const ReportSection &s) const
{
    if (height != other.height || items.size() != other.items.size())
        return false;
    // Items compare by what the file would hold, plus their keys.
    for (size_t i = 0; i < items.size(); ++i) {
        ReportItem &a = *items[i];
        ReportItem &b = *other.items[i];
        if (a.Key != b.Key)
            return false;
        a.parent = const_cast<ReportSection *>(&s);
        b.parent = const_cast<ReportSection *>(&s);
        XmlDocument da, db;
        da.setDocumentElement(a.toXmlNode(da));
        db.setDocumentElement(b.toXmlNode(db));
        a.parent = nullptr;
        b.parent = nullptr;
        if (da.toByteArray() != db.toByteArray())
            return false;
    }
    return true;
}

ChangeSectionCommand::ChangeSectionCommand(DesignDocument *design, const QString &text,
                                           const QString &key, SectionState before,
                                           SectionState after)
    : DoneEditCommand(design, text, std::move(before), std::move(after)), m_key(key)
{
}

void ChangeSectionCommand::apply(const SectionState &state)
{
    ReportSection *s = m_design->report().sections.value(m_key);
    if (!s)
        return;
    state.restore(*s);
    emit m_design->sectionChanged(s);
}

void ChangeDocumentCommand::apply(const QByteArray &state)
{
    m_design->report().loadXmlData(state);
    emit m_design->documentRestored();
}
