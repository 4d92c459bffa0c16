#pragma once

#include "link/TBuf.h"

#include <QString>

class ParamRegistry;
class XmlStore;

// The root of the parameter classes: the two command codes, the value as
// Windows-1251 bytes and where the value lives in the settings store.
class TCustomNAVParam
{
public:
    TCustomNAVParam(ParamRegistry &registry, quint8 SetCode, quint8 GetCode, XmlStore *Store, QString Section, QString Key);
    virtual ~TCustomNAVParam() = default;
    TCustomNAVParam(const TCustomNAVParam &) = delete;
    TCustomNAVParam &operator=(const TCustomNAVParam &) = delete;

    virtual void SaveToStore();
    virtual void LoadFromStore();

    bool Synced = false;
    TBuf Value;
    XmlStore *Store;
    QString Section;
    QString Key;
    quint8 SetCode;
    quint8 GetCode;

protected:
    // True when the object has somewhere to keep its values.
    bool hasStoreKey() const;
    // Text and boolean values under Key + suffix, converted at the file boundary.
    QString readText(const QString &suffix, const QString &def) const;
    void writeText(const QString &suffix, const QString &value) const;
    bool readBool(const QString &suffix) const;
    void writeBool(const QString &suffix, bool value) const;
    TBuf transact(const TBuf &request) const;

private:
    ParamRegistry &m_registry;
};
