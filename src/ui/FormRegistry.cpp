#include "FormRegistry.h"

#include "MainForm.h"

std::vector<TFormDescriptor> LingroveForms() {
  return {
      {QStringLiteral("Application.MainForm"), [] { return CreateForm<TUIMainForm>(); }},
  };
}
