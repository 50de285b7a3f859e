#include "frameworks/XcDataRegistration.h"

#include "frameworks/XcDataContexts.h"
#include "frameworks/XcDataItemSelect.h"
#include "frameworks/XcDataItemText.h"
#include "frameworks/XcDataItemsManagement.h"

#ifdef _WIN32
#include "frameworks/win/XcDataDrawRegistration.h"
#endif

void RegisterXcDataProviderClasses() {
    for (const cl::TPersistentClass& cls : {
             ItemsClass<TXcDataItemsList>(),
             ExtensionClass<TXcBaseDataItemsListManagement>(),
             ItemClass<TXcBaseDataItem>(),
             ExtensionClass<TXcDataItemTextImpl>(),
             ConsumerClass(),
             ExtensionClass<TXcDataConsumerItemSelect>(),
             ContextsClass<TXcDataContexts>(),
             ContextClass<TXcDataContext>(),
             ContextClass<TXcManagedDataContext>(),
             ContextClass<TXcFixedDataContext>(),
         })
        cl::RegisterPersistentClass(cls);
#ifdef _WIN32
    RegisterXcDataDrawClasses();
#endif
}
