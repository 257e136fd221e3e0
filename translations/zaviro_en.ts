<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_BR">
<context>
    <name>Zav</name>
    <message>
        <source>Comparação de tratamentos</source>
        <translation>Comparison of treatments</translation>
    </message>
    <message>
        <source>Número de tratamentos (2 a 10):</source>
        <translation>Number of treatments (2 to 10):</translation>
    </message>
    <message>
        <source>&amp;Dendrograma sobre:</source>
        <translation>&amp;Dendrogram on:</translation>
    </message>
    <message>
        <source>1 - Sørensen (presença)</source>
        <translation>1 - Sørensen (presence)</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Comparação de tratamentos ...</source>
        <translation>Comparison of treatments ...</translation>
    </message>
    <message>
        <source>Selecione o arquivo</source>
        <translation>Select the file</translation>
    </message>
    <message>
        <source>Número de Repetições</source>
        <translation>Number of Replicates</translation>
    </message>
    <message>
        <source>Entre com o número de
tratamentos:</source>
        <translation>Enter the number of
treatments:</translation>
    </message>
    <message>
        <source>Análise de Similaridade ...</source>
        <translation>Similarity Analysis ...</translation>
    </message>
    <message>
        <source>Sobre ...</source>
        <translation>About ...</translation>
    </message>
    <message>
        <source>ZAVIRO - Análise Faunística</source>
        <translation>ZAVIRO - Faunistic Analysis</translation>
    </message>
    <message>
        <source>Versão </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Desenvolvido por:</source>
        <translation>Developed by:</translation>
    </message>
    <message>
        <source>Equipe ZAVIRO</source>
        <translation>The ZAVIRO team</translation>
    </message>
    <message>
        <source>Análise faunística e</source>
        <translation>Faunistic analysis and</translation>
    </message>
    <message>
        <source>similaridade de</source>
        <translation>similarity of</translation>
    </message>
    <message>
        <source>levantamentos</source>
        <translation>surveys</translation>
    </message>
    <message>
        <source>Kato et al. 1952; Shannon e Weaver 1949;</source>
        <translation>Kato et al. 1952; Shannon and Weaver 1949;</translation>
    </message>
    <message>
        <source>Margalef 1958; Sørensen 1948</source>
        <translation>Margalef 1958; Sørensen 1948</translation>
    </message>
    <message>
        <source>Licença: GPL-3.0-or-later (software livre)</source>
        <translation>Licence: GPL-3.0-or-later (free software)</translation>
    </message>
    <message>
        <source>Como citar:</source>
        <translation>How to cite:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Equipe ZAVIRO. ZAVIRO - Análise Faunística, versão </source>
        <translation>The ZAVIRO team. ZAVIRO - Faunistic Analysis, version </translation>
    </message>
    <message>
        <source>. Programa de computador, GPL-3.0-or-later.</source>
        <translation>. Computer program, GPL-3.0-or-later.</translation>
    </message>
    <message>
        <source>Erro: a tabela é gravada como .xlsx ou .csv: </source>
        <translation>Error: the table is saved as .xlsx or .csv: </translation>
    </message>
    <message>
        <source>Exportar tabela</source>
        <translation>Export table</translation>
    </message>
    <message>
        <source>Pasta de trabalho do Excel (*.xlsx);;CSV (*.csv)</source>
        <translation>Excel workbook (*.xlsx);;CSV (*.csv)</translation>
    </message>
    <message>
        <source>Erro: Não deixe campo em branco</source>
        <translation>Error: Do not leave the field blank</translation>
    </message>
    <message>
        <source>Erro: valor inválido: </source>
        <translation>Error: invalid value: </translation>
    </message>
    <message>
        <source>Selecione o arquivo: Tratamento %1 de %2</source>
        <translation>Select the file: Treatment %1 of %2</translation>
    </message>
    <message>
        <source>Selecionando o arquivo: </source>
        <translation>Selecting the file: </translation>
    </message>
    <message>
        <source>&amp;Arquivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Novo</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Abrir...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Sal&amp;var...</source>
        <translation>&amp;Save...</translation>
    </message>
    <message>
        <source>&amp;Fechar</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Imprimir...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Exportar P&amp;DF...</source>
        <translation>Export P&amp;DF...</translation>
    </message>
    <message>
        <source>PDF gravado em </source>
        <translation>PDF saved to </translation>
    </message>
    <message>
        <source>&amp;Copiar tabela</source>
        <translation>Cop&amp;y table</translation>
    </message>
    <message>
        <source>Tabela de espécies copiada</source>
        <translation>Species table copied</translation>
    </message>
    <message>
        <source>Tabelas do relatório copiadas</source>
        <translation>Report&apos;s tables copied</translation>
    </message>
    <message>
        <source>Exportar &amp;tabela...</source>
        <translation>Export &amp;table...</translation>
    </message>
    <message>
        <source>a tabela</source>
        <translation>the table</translation>
    </message>
    <message>
        <source>Tabela gravada em </source>
        <translation>Table saved to </translation>
    </message>
    <message>
        <source>Di&amp;versidade deste levantamento</source>
        <translation>Di&amp;versity of this survey</translation>
    </message>
    <message>
        <source>Análise &amp;faunística deste levantamento</source>
        <translation>&amp;Faunistic analysis of this survey</translation>
    </message>
    <message>
        <source>Importar p&amp;lanilha...</source>
        <translation>Import spreads&amp;heet...</translation>
    </message>
    <message>
        <source>Arquivos &amp;recentes</source>
        <translation>&amp;Recent files</translation>
    </message>
    <message>
        <source>&amp;Sair</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Calcular</source>
        <translation>&amp;Calculate</translation>
    </message>
    <message>
        <source>Di&amp;versidade</source>
        <translation>Di&amp;versity</translation>
    </message>
    <message>
        <source>&amp;Similaridade</source>
        <translation>&amp;Similarity</translation>
    </message>
    <message>
        <source>&amp;Similaridade de Sørensen (3 a 10 tratamentos)...</source>
        <translation>&amp;Sørensen&apos;s similarity (3 to 10 treatments)...</translation>
    </message>
    <message>
        <source>&amp;Comparação (2 a 10 tratamentos)...</source>
        <translation>&amp;Comparison (2 to 10 treatments)...</translation>
    </message>
    <message>
        <source>&amp;Gráfico</source>
        <translation>Cha&amp;rt</translation>
    </message>
    <message>
        <source>A&amp;juda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ZAVIRO - Ajuda</source>
        <translation>ZAVIRO - Help</translation>
    </message>
    <message>
        <source>&amp;Sobre ...</source>
        <translation>&amp;About ...</translation>
    </message>
    <message>
        <source>Ajuda</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source> (e mais %1 %2)</source>
        <translation> (and %1 more %2)</translation>
    </message>
    <message>
        <source>aviso</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>avisos</source>
        <translation>warnings</translation>
    </message>
    <message>
        <source>Substituir o relatório editado sem salvar as alterações?</source>
        <translation>Replace the edited report without saving the changes?</translation>
    </message>
    <message>
        <source>Substituir sem salvar</source>
        <translation>Replace without saving</translation>
    </message>
    <message>
        <source>Erro: o arquivo não existe mais e sai da lista: </source>
        <translation>Error: the file no longer exists and leaves the list: </translation>
    </message>
    <message>
        <source>Erro: </source>
        <translation>Error: </translation>
    </message>
    <message>
        <source> não pode substituir o arquivo de dados: </source>
        <translation> cannot replace the data file: </translation>
    </message>
    <message>
        <source>Salvar arquivo</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Arquivos de texto (*.txt);;Todos os arquivos (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Relatório gravado em </source>
        <translation>Report saved to </translation>
    </message>
    <message>
        <source>Fechar o relatório sem salvar?</source>
        <translation>Close the report without saving?</translation>
    </message>
    <message>
        <source>Fechar o relatório?</source>
        <translation>Close the report?</translation>
    </message>
    <message>
        <source>Fechar sem salvar</source>
        <translation>Close without saving</translation>
    </message>
    <message>
        <source>Fechar</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Sair sem salvar a planilha?</source>
        <translation>Quit without saving the spreadsheet?</translation>
    </message>
    <message>
        <source>Sair sem salvar</source>
        <translation>Quit without saving</translation>
    </message>
    <message>
        <source>Clima</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>C&amp;olar</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Indiv</source>
        <translation>Indiv</translation>
    </message>
    <message>
        <source>Coletas</source>
        <translation>Collections</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Variável</source>
        <translation>Variable</translation>
    </message>
    <message>
        <source>Não é um número inteiro: </source>
        <translation>Not a whole number: </translation>
    </message>
    <message>
        <source> (linha %1, coleta %2)</source>
        <translation> (line %1, collection %2)</translation>
    </message>
    <message>
        <source>Não colado: cole a partir de uma coluna de coleta (as colunas Indiv e Coletas são calculadas)</source>
        <translation>Not pasted: paste from a collection column (the Indiv and Collections columns are computed)</translation>
    </message>
    <message>
        <source>Não colado: o bloco passa da última espécie</source>
        <translation>Not pasted: the block goes past the last species</translation>
    </message>
    <message>
        <source>Não colado: o bloco passa da última coleta</source>
        <translation>Not pasted: the block goes past the last collection</translation>
    </message>
    <message>
        <source>Não colado: mais de %1 colunas</source>
        <translation>Not pasted: more than %1 columns</translation>
    </message>
    <message>
        <source>Não colado: </source>
        <translation>Not pasted: </translation>
    </message>
    <message>
        <source> não é uma data (aaaa-mm-dd ou dd/mm/aaaa)</source>
        <translation> is not a date (yyyy-mm-dd or dd/mm/yyyy)</translation>
    </message>
    <message>
        <source> não é um número inteiro</source>
        <translation> is not a whole number</translation>
    </message>
    <message>
        <source>Espécies e Coletas</source>
        <translation>Species and Collections</translation>
    </message>
    <message>
        <source>No. de espécies:</source>
        <translation>No. of species:</translation>
    </message>
    <message>
        <source>No. de coletas:</source>
        <translation>No. of collections:</translation>
    </message>
    <message>
        <source>DADOS</source>
        <translation>DATA</translation>
    </message>
    <message>
        <source>No Indiv</source>
        <translation>No. Indiv</translation>
    </message>
    <message>
        <source>No Coleta</source>
        <translation>No. Coll</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Espécies:</source>
        <translation>Species:</translation>
    </message>
    <message>
        <source>Número de espécies (linhas): Enter acrescenta ou remove linhas no fim</source>
        <translation>Number of species (rows): Enter adds or removes rows at the end</translation>
    </message>
    <message>
        <source>Coletas:</source>
        <translation>Collections:</translation>
    </message>
    <message>
        <source>Total de coletas do levantamento</source>
        <translation>Total collections of the survey</translation>
    </message>
    <message>
        <source>Por coleta</source>
        <translation>By collection</translation>
    </message>
    <message>
        <source>Uma coluna por coleta, com a data, e o clima de cada coleta</source>
        <translation>One column per collection, with its date, and the weather of each collection</translation>
    </message>
    <message>
        <source>DADOS [Especies=</source>
        <translation>DATA [Species=</translation>
    </message>
    <message>
        <source> | Coletas=</source>
        <translation> | Collections=</translation>
    </message>
    <message>
        <source>Descartar as alterações da planilha?</source>
        <translation>Discard the spreadsheet&apos;s changes?</translation>
    </message>
    <message>
        <source>Descartar</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Criando um novo arquivo ...</source>
        <translation>Creating a new file ...</translation>
    </message>
    <message>
        <source>Importar planilha</source>
        <translation>Import spreadsheet</translation>
    </message>
    <message>
        <source>Planilhas (*.csv *.tsv *.txt *.xlsx *.ods);;Todos os arquivos (*)</source>
        <translation>Spreadsheets (*.csv *.tsv *.txt *.xlsx *.ods);;All files (*)</translation>
    </message>
    <message>
        <source>Importando a planilha: </source>
        <translation>Importing the spreadsheet: </translation>
    </message>
    <message>
        <source>Erro: Não deixe campo(s) em branco</source>
        <translation>Error: Do not leave fields blank</translation>
    </message>
    <message>
        <source>Erro: Digite mais de uma espécie ou coleta</source>
        <translation>Error: Type more than one species or collection</translation>
    </message>
    <message>
        <source>Erro: Digite no máximo 900 espécies</source>
        <translation>Error: Type at most 900 species</translation>
    </message>
    <message>
        <source>Editar arquivo</source>
        <translation>Edit file</translation>
    </message>
    <message>
        <source>Editando o arquivo: </source>
        <translation>Editing the file: </translation>
    </message>
    <message>
        <source> (as coletas são gravadas como estão)</source>
        <translation> (the collections are saved as they are)</translation>
    </message>
    <message>
        <source>Nem todos os nomes das espécies puderam ser lidos:
</source>
        <translation>Not every species name could be read:
</translation>
    </message>
    <message>
        <source>Salvar grava só os nomes que a planilha mostra; os outros se perdem. Salvar assim mesmo?</source>
        <translation>Saving writes only the names the spreadsheet shows; the others are lost. Save anyway?</translation>
    </message>
    <message>
        <source>Salvar sem esses nomes</source>
        <translation>Save without those names</translation>
    </message>
    <message>
        <source>Arquivo de dados gravado em </source>
        <translation>Data file saved to </translation>
    </message>
    <message>
        <source>Erro: a linha </source>
        <translation>Error: line </translation>
    </message>
    <message>
        <source> da planilha tem uma célula vazia</source>
        <translation> of the spreadsheet has an empty cell</translation>
    </message>
    <message>
        <source> da planilha tem um valor inválido: </source>
        <translation> of the spreadsheet has an invalid value: </translation>
    </message>
    <message>
        <source>Por espécie</source>
        <translation>By species</translation>
    </message>
    <message>
        <source>Erro: o total de coletas é %1, mas a planilha por coleta tem %2 coletas</source>
        <translation>Error: the total of collections is %1, but the by-collection sheet has %2 collections</translation>
    </message>
    <message>
        <source>Erro: a linha %1 soma %2 indivíduos em %3 coletas na planilha por coleta, mas a planilha por espécie diz %4 em %5; corrija uma das duas</source>
        <translation>Error: line %1 adds up to %2 individuals in %3 collections in the by-collection sheet, but the by-species sheet says %4 in %5; correct one of the two</translation>
    </message>
    <message>
        <source>Fechar a planilha sem salvar?</source>
        <translation>Close the spreadsheet without saving?</translation>
    </message>
    <message>
        <source>Apenas dígitos: </source>
        <translation>Digits only: </translation>
    </message>
    <message>
        <source>Editar célula</source>
        <translation>Edit cell</translation>
    </message>
    <message>
        <source>&amp;Copiar</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Desfazer</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Refazer</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>&amp;Inserir linha</source>
        <translation>&amp;Insert row</translation>
    </message>
    <message>
        <source>&amp;Excluir linha(s)</source>
        <translation>&amp;Delete row(s)</translation>
    </message>
    <message>
        <source>a linha %1 da planilha tem </source>
        <translation>line %1 of the spreadsheet has </translation>
    </message>
    <message>
        <source>Não aceito: a linha %1 teria </source>
        <translation>Not accepted: line %1 would have </translation>
    </message>
    <message>
        <source>Totais das coletas</source>
        <translation>Collection totals</translation>
    </message>
    <message>
        <source> (linha %1 da colagem)</source>
        <translation> (line %1 of the pasted block)</translation>
    </message>
    <message>
        <source>Erro: a colagem passaria de %1 espécies</source>
        <translation>Error: the paste would exceed %1 species</translation>
    </message>
    <message>
        <source>Colar</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Colunas além de &quot;Nome&quot; não foram coladas</source>
        <translation>Columns beyond &quot;Name&quot; were not pasted</translation>
    </message>
    <message>
        <source>Substituir 1 linha preenchida?</source>
        <translation>Replace 1 filled row?</translation>
    </message>
    <message>
        <source>Substituir %1 linhas preenchidas?</source>
        <translation>Replace %1 filled rows?</translation>
    </message>
    <message>
        <source>Substituir a linha</source>
        <translation>Replace the row</translation>
    </message>
    <message>
        <source>Substituir as linhas</source>
        <translation>Replace the rows</translation>
    </message>
    <message>
        <source>Erro: no máximo 900 espécies</source>
        <translation>Error: at most 900 species</translation>
    </message>
    <message>
        <source>Inserir linha</source>
        <translation>Insert row</translation>
    </message>
    <message>
        <source>Erro: a planilha precisa de ao menos uma espécie</source>
        <translation>Error: the spreadsheet needs at least one species</translation>
    </message>
    <message>
        <source>Excluir linha</source>
        <translation>Delete row</translation>
    </message>
    <message>
        <source>Número de espécies</source>
        <translation>Number of species</translation>
    </message>
    <message>
        <source>Erro: o número de espécies deve ser de 1 a 900</source>
        <translation>Error: the number of species must be from 1 to 900</translation>
    </message>
    <message>
        <source>Apagar 1 linha preenchida?</source>
        <translation>Delete 1 filled row?</translation>
    </message>
    <message>
        <source>Apagar %1 linhas preenchidas?</source>
        <translation>Delete %1 filled rows?</translation>
    </message>
    <message>
        <source>Apagar a linha</source>
        <translation>Delete the row</translation>
    </message>
    <message>
        <source>Apagar as linhas</source>
        <translation>Delete the rows</translation>
    </message>
    <message>
        <source>Total de coletas</source>
        <translation>Total collections</translation>
    </message>
    <message>
        <source>Página %1 de %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Tratamentos:</source>
        <translation>Treatments:</translation>
    </message>
    <message>
        <source>NOMES DAS ESPÉCIES</source>
        <translation>SPECIES NAMES</translation>
    </message>
    <message>
        <source>  Espécie  Nome</source>
        <translation>  Species  Name</translation>
    </message>
    <message>
        <source> (editado)</source>
        <translation> (edited)</translation>
    </message>
    <message>
        <source>Gráfico - </source>
        <translation>Chart - </translation>
    </message>
    <message>
        <source>&amp;Tamanho:</source>
        <translation>&amp;Size:</translation>
    </message>
    <message>
        <source>&amp;Salvar imagem...</source>
        <translation>&amp;Save image...</translation>
    </message>
    <message>
        <source>Salvar este gráfico...</source>
        <translation>Save this chart...</translation>
    </message>
    <message>
        <source>Salvar imagem</source>
        <translation>Save image</translation>
    </message>
    <message>
        <source>Imagens (*.png *.svg *.pdf)</source>
        <translation>Images (*.png *.svg *.pdf)</translation>
    </message>
    <message>
        <source>Exportar PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>Erro: memória insuficiente</source>
        <translation>Error: not enough memory</translation>
    </message>
    <message>
        <source>Enter: Cancelar (nada muda).</source>
        <translation>Enter: Cancel (nothing changes).</translation>
    </message>
    <message>
        <source>Nomes dos tratamentos</source>
        <translation>Names of the treatments</translation>
    </message>
    <message>
        <source>Os nomes vão na chave, no relatório e nos gráficos:</source>
        <translation>The names go in the key, the report and the charts:</translation>
    </message>
    <message>
        <source>Calcular</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Arquivo:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>&amp;Planilha:</source>
        <translation>&amp;Sheet:</translation>
    </message>
    <message>
        <source>&amp;Uma coluna por coleta (espécies × coletas)</source>
        <translation>&amp;One column per collection (species × collections)</translation>
    </message>
    <message>
        <source>Cada linha é uma espécie e cada coluna uma coleta: os indivíduos são a soma da linha, as coletas as células diferentes de zero.</source>
        <translation>Each row is a species and each column a collection: the individuals are the row&apos;s sum, the collections its non-zero cells.</translation>
    </message>
    <message>
        <source>Um &amp;registro por linha (data, espécie, indivíduos)</source>
        <translation>One &amp;record per row (date, species, individuals)</translation>
    </message>
    <message>
        <source>Como um banco de dados de campo exporta: cada data é uma coleta, cada nome uma espécie; os registros de uma espécie numa data são somados.</source>
        <translation>As a field database exports: each date is a collection, each name a species; the records of a species on one date are added up.</translation>
    </message>
    <message>
        <source>Títulos, eixos e legendas nesta língua, para um artigo; os relatórios não mudam</source>
        <translation>Titles, axes and legends in this language, for a paper; the reports do not change</translation>
    </message>
    <message>
        <source>&amp;Idioma dos gráficos:</source>
        <translation>Chart &amp;language:</translation>
    </message>
    <message>
        <source>Calculando o arquivo: </source>
        <translation>Computing the file: </translation>
    </message>
    <message>
        <source>Cálculo do arquivo: </source>
        <translation>Analysis of the file: </translation>
    </message>
    <message>
        <source> finalizado</source>
        <translation> finished</translation>
    </message>
    <message>
        <source>Calculando a diversidade do arquivo: </source>
        <translation>Computing the diversity of the file: </translation>
    </message>
    <message>
        <source>Diversidade do arquivo: </source>
        <translation>Diversity of the file: </translation>
    </message>
    <message>
        <source> finalizada</source>
        <translation> finished</translation>
    </message>
    <message>
        <source>Tamanho da tela</source>
        <translation>Screen size</translation>
    </message>
    <message>
        <source>1 coluna (85 mm), 300 dpi</source>
        <translation>1 column (85 mm), 300 dpi</translation>
    </message>
    <message>
        <source>1 coluna (85 mm), 600 dpi</source>
        <translation>1 column (85 mm), 600 dpi</translation>
    </message>
    <message>
        <source>2 colunas (175 mm), 300 dpi</source>
        <translation>2 columns (175 mm), 300 dpi</translation>
    </message>
    <message>
        <source>2 colunas (175 mm), 600 dpi</source>
        <translation>2 columns (175 mm), 600 dpi</translation>
    </message>
    <message>
        <source>&amp;Flutuação</source>
        <translation>F&amp;luctuation</translation>
    </message>
    <message>
        <source>Calculando a flutuação do arquivo: </source>
        <translation>Computing the population fluctuation of the file: </translation>
    </message>
    <message>
        <source>Flutuação do arquivo: </source>
        <translation>Fluctuation of the file: </translation>
    </message>
    <message>
        <source>Comunidades dos tratamentos</source>
        <translation>Communities of the treatments</translation>
    </message>
    <message>
        <source>&amp;Dissimilaridade entre coletas:</source>
        <translation>&amp;Dissimilarity between collections:</translation>
    </message>
    <message>
        <source>Bray-Curtis (abundâncias)</source>
        <translation>Bray-Curtis (abundances)</translation>
    </message>
    <message>
        <source>Jaccard (presença)</source>
        <translation>Jaccard (presence)</translation>
    </message>
    <message>
        <source>&amp;Permutações dos testes:</source>
        <translation>&amp;Permutations of the tests:</translation>
    </message>
    <message>
        <source>Comunidades dos tratamentos ...</source>
        <translation>Communities of the treatments ...</translation>
    </message>
    <message>
        <source>C&amp;omunidades (2 a 10 tratamentos)...</source>
        <translation>C&amp;ommunities (2 to 10 treatments)...</translation>
    </message>
    <message>
        <source>Flutuação</source>
        <translation>Fluctuation</translation>
    </message>
    <message>
        <source>Defasagem (coletas):</source>
        <translation>Lag (collections):</translation>
    </message>
    <message>
        <source>Erro: a linha %1 tem o nome %2, que é a marca de um bloco do arquivo; mude o nome</source>
        <translation>Error: line %1 has the name %2, which is the mark of a block of the file; change the name</translation>
    </message>
    <message>
        <source>%1 de %2 tratamentos (T1 = %3)</source>
        <translation>%1 of %2 treatments (T1 = %3)</translation>
    </message>
    <message>
        <source>Indivíduos</source>
        <translation>Individuals</translation>
    </message>
    <message>
        <source>Espécies</source>
        <translation>Species</translation>
    </message>
    <message>
        <source>Espécie </source>
        <translation>Species </translation>
    </message>
    <message>
        <source>&amp;Clima:</source>
        <translation>&amp;Weather:</translation>
    </message>
    <message>
        <source>Sé&amp;rie:</source>
        <translation>Se&amp;ries:</translation>
    </message>
    <message>
        <source>Análise faunística</source>
        <translation>Faunistic analysis</translation>
    </message>
    <message>
        <source>Diversidade</source>
        <translation>Diversity</translation>
    </message>
    <message>
        <source>Similaridade</source>
        <translation>Similarity</translation>
    </message>
    <message>
        <source>Comparação</source>
        <translation>Comparison</translation>
    </message>
    <message>
        <source>Comunidades</source>
        <translation>Communities</translation>
    </message>
</context>
</TS>
