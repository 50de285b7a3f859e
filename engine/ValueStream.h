#pragma once
// The engine's blocks in the statement file: the variant record, the
// value record of one field (TDataValue::SaveToStream), the block of one
// form's values (TemFrm::SaveToStream) and the block of the shared values.
// Little-endian, at the stream's position.  The readers stop at the end of
// the stream and never read or allocate beyond what it holds; each reports
// false when the stream ended inside its record or block (a cut file).

#include "classlib/Streams.h"
#include "classlib/Variant.h"

class TDataValue;
class TemFrm;

// u16 type code; for numbers, booleans and strings an i32 size and the data.
void WriteVariant(const cl::Variant& V, cl::TStream& Stream);
// Unassigned for a code the record does not carry data for; a single
// becomes a double.  A cut record gives what its bytes make.  A text
// longer than kLongestText (calc1.h) is damage: it is passed over unread,
// V is Unassigned and the result false.
bool ReadVariant(cl::TStream& Stream, cl::Variant& V);

// i32 2, then the variant records of shared slots 1 and 2.
void SaveSharedValues(cl::TStream& Stream);
// Reads up to two records (as many as the count says) into Slot1 and
// Slot2; more stay unread.  A cut record leaves its slot as it was.
bool ReadSharedBlock(cl::TStream& Stream, cl::Variant& Slot1, cl::Variant& Slot2);
// ReadSharedBlock into SharedValues.
bool LoadSharedValues(cl::TStream& Stream);

// TDataValue::LoadFromStream: a variant record cut short leaves the value as
// it was, so a half-read amount never reaches a field.
bool LoadValueRecord(TDataValue& Value, cl::TStream& Stream);
// TemFrm::LoadFromStream.
bool LoadFormBlock(TemFrm& Form, cl::TStream& Stream);
