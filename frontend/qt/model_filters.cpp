// The filters of a Save dialog that offers a file for each model.
#include "model_filters.hpp"

#include <algorithm>

namespace orbisk {

std::vector<Model> ModelsFrom(Model first) {
  std::vector<Model> models{first};
  for (const Model model : kModels) {
    if (model != first) models.push_back(model);
  }
  return models;
}

QString ModelFilters(const std::vector<Model>& models, const FileContent& content) {
  QString filters;
  for (const Model model : models) {
    filters += QStringLiteral("Fichier %1 (*.%2)|*.%2|")
                   .arg(QString::fromUtf8(ModelName(model)),
                        QString::fromStdString(ExtensionFor(model, content)));
  }
  return filters + QStringLiteral("Tous les fichiers (*.*)|*.*");
}

Model ChosenModel(std::string& target, int filter, const std::vector<Model>& models,
                  const FileContent& content) {
  Model model = models.front();
  if (ModelOfFileName(target, model)) return model;
  model =
      models[static_cast<std::size_t>(std::clamp(filter, 0, static_cast<int>(models.size()) - 1))];
  target += "." + ExtensionFor(model, content);
  return model;
}

}  // namespace orbisk
