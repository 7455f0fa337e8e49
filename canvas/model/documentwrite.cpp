#include "canvas/model/documentfile.h"

#include "canvas/model/documentfile_p.h"

namespace DocumentFile {

namespace {

void writeDocument(DocumentJson::Writer &out, const Objects &objects)
{
    out.raw("{\"format\":\"");
    out.raw(formatName.data(), formatName.size());
    out.raw("\",\"version\":");
    out.number(formatVersion);
    out.raw(",\"objects\":[");
    bool first = true;
    for (const auto &object : objects) {
        out.raw(first ? "\n{\"id\":" : ",\n{\"id\":");
        first = false;
        out.number(object->id);
        out.raw(",\"kind\":");
        out.number(object->kind);
        out.raw(",\"rect\":[");
        for (qint32 corner : {object->x1, object->y1, object->x2}) {
            out.number(corner);
            out.raw(",");
        }
        out.number(object->y2);
        out.raw("],\"fillColor\":");
        out.colour(object->fillColor);
        out.raw(",\"textColor\":");
        out.colour(object->textColor);
        out.raw(",\"text\":");
        out.string(object->objectText);
        out.raw(",\"drawStyle\":");
        out.number(object->drawStyle);
        out.raw(",\"fillMode\":");
        out.number(object->fillMode);
        out.raw(",\"shapeParam\":");
        out.number(object->shapeParam);
        out.raw(",\"layer\":");
        out.number(object->layer);
        out.raw(object->selected ? ",\"selected\":true" : ",\"selected\":false");
        out.raw(",\"properties\":[");
        bool firstProperty = true;
        for (const auto &[key, value] : object->properties) {
            out.raw(firstProperty ? "[" : ",[");
            firstProperty = false;
            out.string(key);
            out.raw(",");
            out.string(value);
            out.raw("]");
        }
        out.raw("]");
        if (object->kind == 12 || !object->pictureData.isEmpty()) {
            out.raw(",\"picture\":\"");
            out.base64(object->pictureData);
            out.raw("\"");
        }
        out.raw("}");
    }
    out.raw("\n]}\n");
}

} // namespace

QByteArray write(const Objects &objects)
{
    // One allocation of about the right size instead of a chain of copies as it grows.
    qsizetype estimate = 64;
    for (const auto &object : objects) {
        estimate += 320 + object->objectText.size() + object->pictureData.size() * 4 / 3;
        for (const auto &[key, value] : object->properties)
            estimate += key.size() + value.size() + 8;
    }
    DocumentJson::Writer out(estimate + estimate / 8);
    writeDocument(out, objects);
    return out.take();
}

bool write(const Objects &objects, const DocumentJson::Writer::Sink &sink)
{
    DocumentJson::Writer out(sink);
    writeDocument(out, objects);
    return out.finish();
}

} // namespace DocumentFile
