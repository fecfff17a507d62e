// The document's conversion command; its steps live with the conversion.
#include "document/ConversionCommand.h"
#include "document/CMyVeskDoc.h"
#include "document/ModelExportCommand.h"

namespace vesk {

void CMyVeskDoc::OnConvert() {
    RunConversionCommand(*this, ProcessEnvironmentVariable);
}

void CMyVeskDoc::OnExportModel() {
    RunModelExportCommand(*this);
}

bool CMyVeskDoc::CanConvert() const {
    return IsSheetLoaded() && static_cast<unsigned>(SelectedSubSheet()) <= 24;
}

}  // namespace vesk
