// The filters of a Save dialog that offers a file for each model, and the model a name
// chosen in it stands for.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "model.hpp"
#include "variable_types.hpp"

namespace orbisk {

// Every model, `first` first.
std::vector<Model> ModelsFrom(Model first);
// "Fichier TI-89 (*.89t)|*.89t|…|Tous les fichiers (*.*)|*.*": a filter for each of
// `models`' files holding `content`, in that order, then every file.
QString ModelFilters(const std::vector<Model>& models, const FileContent& content);
// The model `target` was chosen for: the one its extension stands for, or else the one of
// the filter it was chosen under, whose extension it then takes.
Model ChosenModel(std::string& target, int filter, const std::vector<Model>& models,
                  const FileContent& content);

}  // namespace orbisk
