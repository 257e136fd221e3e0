<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="pt_BR">
<context>
    <name>Zav</name>
    <message>
        <source>Comparação de tratamentos</source>
        <translation>Comparación de tratamientos</translation>
    </message>
    <message>
        <source>Número de tratamentos (2 a 10):</source>
        <translation>Número de tratamientos (2 a 10):</translation>
    </message>
    <message>
        <source>&amp;Dendrograma sobre:</source>
        <translation>&amp;Dendrograma sobre:</translation>
    </message>
    <message>
        <source>1 - Sørensen (presença)</source>
        <translation>1 - Sørensen (presencia)</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Comparação de tratamentos ...</source>
        <translation>Comparación de tratamientos ...</translation>
    </message>
    <message>
        <source>Selecione o arquivo</source>
        <translation>Seleccione el archivo</translation>
    </message>
    <message>
        <source>Número de Repetições</source>
        <translation>Número de Repeticiones</translation>
    </message>
    <message>
        <source>Entre com o número de
tratamentos:</source>
        <translation>Introduzca el número de
tratamientos:</translation>
    </message>
    <message>
        <source>Análise de Similaridade ...</source>
        <translation>Análisis de Similitud ...</translation>
    </message>
    <message>
        <source>Sobre ...</source>
        <translation>Acerca de ...</translation>
    </message>
    <message>
        <source>ZAVIRO - Análise Faunística</source>
        <translation>ZAVIRO - Análisis Faunístico</translation>
    </message>
    <message>
        <source>Versão </source>
        <translation>Versión </translation>
    </message>
    <message>
        <source>Desenvolvido por:</source>
        <translation>Desarrollado por:</translation>
    </message>
    <message>
        <source>Equipe ZAVIRO</source>
        <translation>Equipo ZAVIRO</translation>
    </message>
    <message>
        <source>Análise faunística e</source>
        <translation>Análisis faunístico y</translation>
    </message>
    <message>
        <source>similaridade de</source>
        <translation>similitud de</translation>
    </message>
    <message>
        <source>levantamentos</source>
        <translation>levantamientos</translation>
    </message>
    <message>
        <source>Kato et al. 1952; Shannon e Weaver 1949;</source>
        <translation>Kato et al. 1952; Shannon y Weaver 1949;</translation>
    </message>
    <message>
        <source>Margalef 1958; Sørensen 1948</source>
        <translation>Margalef 1958; Sørensen 1948</translation>
    </message>
    <message>
        <source>Licença: GPL-3.0-or-later (software livre)</source>
        <translation>Licencia: GPL-3.0-or-later (software libre)</translation>
    </message>
    <message>
        <source>Como citar:</source>
        <translation>Cómo citar:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Equipe ZAVIRO. ZAVIRO - Análise Faunística, versão </source>
        <translation>Equipo ZAVIRO. ZAVIRO - Análisis Faunístico, versión </translation>
    </message>
    <message>
        <source>. Programa de computador, GPL-3.0-or-later.</source>
        <translation>. Programa informático, GPL-3.0-or-later.</translation>
    </message>
    <message>
        <source>Erro: a tabela é gravada como .xlsx ou .csv: </source>
        <translation>Error: la tabla se guarda como .xlsx o .csv: </translation>
    </message>
    <message>
        <source>Exportar tabela</source>
        <translation>Exportar tabla</translation>
    </message>
    <message>
        <source>Pasta de trabalho do Excel (*.xlsx);;CSV (*.csv)</source>
        <translation>Libro de Excel (*.xlsx);;CSV (*.csv)</translation>
    </message>
    <message>
        <source>Erro: Não deixe campo em branco</source>
        <translation>Error: No deje el campo en blanco</translation>
    </message>
    <message>
        <source>Erro: valor inválido: </source>
        <translation>Error: valor no válido: </translation>
    </message>
    <message>
        <source>Selecione o arquivo: Tratamento %1 de %2</source>
        <translation>Seleccione el archivo: Tratamiento %1 de %2</translation>
    </message>
    <message>
        <source>Selecionando o arquivo: </source>
        <translation>Seleccionando el archivo: </translation>
    </message>
    <message>
        <source>&amp;Arquivo</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Novo</source>
        <translation>&amp;Nuevo</translation>
    </message>
    <message>
        <source>&amp;Abrir...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>Sal&amp;var...</source>
        <translation>&amp;Guardar...</translation>
    </message>
    <message>
        <source>&amp;Fechar</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>&amp;Imprimir...</source>
        <translation>&amp;Imprimir...</translation>
    </message>
    <message>
        <source>Exportar P&amp;DF...</source>
        <translation>Exportar P&amp;DF...</translation>
    </message>
    <message>
        <source>PDF gravado em </source>
        <translation>PDF guardado en </translation>
    </message>
    <message>
        <source>&amp;Copiar tabela</source>
        <translation>Co&amp;piar tabla</translation>
    </message>
    <message>
        <source>Tabela de espécies copiada</source>
        <translation>Tabla de especies copiada</translation>
    </message>
    <message>
        <source>Tabelas do relatório copiadas</source>
        <translation>Tablas del informe copiadas</translation>
    </message>
    <message>
        <source>Exportar &amp;tabela...</source>
        <translation>Exportar &amp;tabla...</translation>
    </message>
    <message>
        <source>a tabela</source>
        <translation>la tabla</translation>
    </message>
    <message>
        <source>Tabela gravada em </source>
        <translation>Tabla guardada en </translation>
    </message>
    <message>
        <source>Di&amp;versidade deste levantamento</source>
        <translation>Di&amp;versidad de este levantamiento</translation>
    </message>
    <message>
        <source>Análise &amp;faunística deste levantamento</source>
        <translation>Análisis &amp;faunístico de este levantamiento</translation>
    </message>
    <message>
        <source>Importar p&amp;lanilha...</source>
        <translation>Importar ho&amp;ja de cálculo...</translation>
    </message>
    <message>
        <source>Arquivos &amp;recentes</source>
        <translation>Archivos &amp;recientes</translation>
    </message>
    <message>
        <source>&amp;Sair</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Calcular</source>
        <translation>&amp;Calcular</translation>
    </message>
    <message>
        <source>Di&amp;versidade</source>
        <translation>Di&amp;versidad</translation>
    </message>
    <message>
        <source>&amp;Similaridade</source>
        <translation>&amp;Similitud</translation>
    </message>
    <message>
        <source>&amp;Similaridade de Sørensen (3 a 10 tratamentos)...</source>
        <translation>&amp;Similitud de Sørensen (3 a 10 tratamientos)...</translation>
    </message>
    <message>
        <source>&amp;Comparação (2 a 10 tratamentos)...</source>
        <translation>&amp;Comparación (2 a 10 tratamientos)...</translation>
    </message>
    <message>
        <source>&amp;Gráfico</source>
        <translation>&amp;Gráfico</translation>
    </message>
    <message>
        <source>A&amp;juda</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>ZAVIRO - Ajuda</source>
        <translation>ZAVIRO - Ayuda</translation>
    </message>
    <message>
        <source>&amp;Sobre ...</source>
        <translation>&amp;Acerca de ...</translation>
    </message>
    <message>
        <source>Ajuda</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source> (e mais %1 %2)</source>
        <translation> (y %1 %2 más)</translation>
    </message>
    <message>
        <source>aviso</source>
        <translation>aviso</translation>
    </message>
    <message>
        <source>avisos</source>
        <translation>avisos</translation>
    </message>
    <message>
        <source>Substituir o relatório editado sem salvar as alterações?</source>
        <translation>¿Reemplazar el informe editado sin guardar los cambios?</translation>
    </message>
    <message>
        <source>Substituir sem salvar</source>
        <translation>Reemplazar sin guardar</translation>
    </message>
    <message>
        <source>Erro: o arquivo não existe mais e sai da lista: </source>
        <translation>Error: el archivo ya no existe y sale de la lista: </translation>
    </message>
    <message>
        <source>Erro: </source>
        <translation>Error: </translation>
    </message>
    <message>
        <source> não pode substituir o arquivo de dados: </source>
        <translation> no puede reemplazar el archivo de datos: </translation>
    </message>
    <message>
        <source>Salvar arquivo</source>
        <translation>Guardar archivo</translation>
    </message>
    <message>
        <source>Arquivos de texto (*.txt);;Todos os arquivos (*)</source>
        <translation>Archivos de texto (*.txt);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Relatório gravado em </source>
        <translation>Informe guardado en </translation>
    </message>
    <message>
        <source>Fechar o relatório sem salvar?</source>
        <translation>¿Cerrar el informe sin guardar?</translation>
    </message>
    <message>
        <source>Fechar o relatório?</source>
        <translation>¿Cerrar el informe?</translation>
    </message>
    <message>
        <source>Fechar sem salvar</source>
        <translation>Cerrar sin guardar</translation>
    </message>
    <message>
        <source>Fechar</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Sair sem salvar a planilha?</source>
        <translation>¿Salir sin guardar la hoja?</translation>
    </message>
    <message>
        <source>Sair sem salvar</source>
        <translation>Salir sin guardar</translation>
    </message>
    <message>
        <source>Clima</source>
        <translation>Clima</translation>
    </message>
    <message>
        <source>C&amp;olar</source>
        <translation>&amp;Pegar</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Indiv</source>
        <translation>Indiv</translation>
    </message>
    <message>
        <source>Coletas</source>
        <translation>Colectas</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Variável</source>
        <translation>Variable</translation>
    </message>
    <message>
        <source>Não é um número inteiro: </source>
        <translation>No es un número entero: </translation>
    </message>
    <message>
        <source> (linha %1, coleta %2)</source>
        <translation> (línea %1, colecta %2)</translation>
    </message>
    <message>
        <source>Não colado: cole a partir de uma coluna de coleta (as colunas Indiv e Coletas são calculadas)</source>
        <translation>No pegado: pegue a partir de una columna de colecta (las columnas Indiv y Colectas se calculan)</translation>
    </message>
    <message>
        <source>Não colado: o bloco passa da última espécie</source>
        <translation>No pegado: el bloque pasa de la última especie</translation>
    </message>
    <message>
        <source>Não colado: o bloco passa da última coleta</source>
        <translation>No pegado: el bloque pasa de la última colecta</translation>
    </message>
    <message>
        <source>Não colado: mais de %1 colunas</source>
        <translation>No pegado: más de %1 columnas</translation>
    </message>
    <message>
        <source>Não colado: </source>
        <translation>No pegado: </translation>
    </message>
    <message>
        <source> não é uma data (aaaa-mm-dd ou dd/mm/aaaa)</source>
        <translation> no es una fecha (aaaa-mm-dd o dd/mm/aaaa)</translation>
    </message>
    <message>
        <source> não é um número inteiro</source>
        <translation> no es un número entero</translation>
    </message>
    <message>
        <source>Espécies e Coletas</source>
        <translation>Especies y Colectas</translation>
    </message>
    <message>
        <source>No. de espécies:</source>
        <translation>N.º de especies:</translation>
    </message>
    <message>
        <source>No. de coletas:</source>
        <translation>N.º de colectas:</translation>
    </message>
    <message>
        <source>DADOS</source>
        <translation>DATOS</translation>
    </message>
    <message>
        <source>No Indiv</source>
        <translation>N.º Indiv</translation>
    </message>
    <message>
        <source>No Coleta</source>
        <translation>N.º Colecta</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Espécies:</source>
        <translation>Especies:</translation>
    </message>
    <message>
        <source>Número de espécies (linhas): Enter acrescenta ou remove linhas no fim</source>
        <translation>Número de especies (filas): Enter añade o quita filas al final</translation>
    </message>
    <message>
        <source>Coletas:</source>
        <translation>Colectas:</translation>
    </message>
    <message>
        <source>Total de coletas do levantamento</source>
        <translation>Total de colectas del levantamiento</translation>
    </message>
    <message>
        <source>Por coleta</source>
        <translation>Por colecta</translation>
    </message>
    <message>
        <source>Uma coluna por coleta, com a data, e o clima de cada coleta</source>
        <translation>Una columna por colecta, con la fecha, y el clima de cada colecta</translation>
    </message>
    <message>
        <source>DADOS [Especies=</source>
        <translation>DATOS [Especies=</translation>
    </message>
    <message>
        <source> | Coletas=</source>
        <translation> | Colectas=</translation>
    </message>
    <message>
        <source>Descartar as alterações da planilha?</source>
        <translation>¿Descartar los cambios de la hoja?</translation>
    </message>
    <message>
        <source>Descartar</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Criando um novo arquivo ...</source>
        <translation>Creando un archivo nuevo ...</translation>
    </message>
    <message>
        <source>Importar planilha</source>
        <translation>Importar hoja de cálculo</translation>
    </message>
    <message>
        <source>Planilhas (*.csv *.tsv *.txt *.xlsx *.ods);;Todos os arquivos (*)</source>
        <translation>Hojas de cálculo (*.csv *.tsv *.txt *.xlsx *.ods);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Importando a planilha: </source>
        <translation>Importando la hoja de cálculo: </translation>
    </message>
    <message>
        <source>Erro: Não deixe campo(s) em branco</source>
        <translation>Error: No deje campos en blanco</translation>
    </message>
    <message>
        <source>Erro: Digite mais de uma espécie ou coleta</source>
        <translation>Error: Escriba más de una especie o colecta</translation>
    </message>
    <message>
        <source>Erro: Digite no máximo 900 espécies</source>
        <translation>Error: Escriba como máximo 900 especies</translation>
    </message>
    <message>
        <source>Editar arquivo</source>
        <translation>Editar archivo</translation>
    </message>
    <message>
        <source>Editando o arquivo: </source>
        <translation>Editando el archivo: </translation>
    </message>
    <message>
        <source> (as coletas são gravadas como estão)</source>
        <translation> (las colectas se guardan como están)</translation>
    </message>
    <message>
        <source>Nem todos os nomes das espécies puderam ser lidos:
</source>
        <translation>No se pudieron leer todos los nombres de las especies:
</translation>
    </message>
    <message>
        <source>Salvar grava só os nomes que a planilha mostra; os outros se perdem. Salvar assim mesmo?</source>
        <translation>Guardar graba solo los nombres que muestra la hoja; los demás se pierden. ¿Guardar de todos modos?</translation>
    </message>
    <message>
        <source>Salvar sem esses nomes</source>
        <translation>Guardar sin esos nombres</translation>
    </message>
    <message>
        <source>Arquivo de dados gravado em </source>
        <translation>Archivo de datos guardado en </translation>
    </message>
    <message>
        <source>Erro: a linha </source>
        <translation>Error: la línea </translation>
    </message>
    <message>
        <source> da planilha tem uma célula vazia</source>
        <translation> de la hoja tiene una celda vacía</translation>
    </message>
    <message>
        <source> da planilha tem um valor inválido: </source>
        <translation> de la hoja tiene un valor no válido: </translation>
    </message>
    <message>
        <source>Por espécie</source>
        <translation>Por especie</translation>
    </message>
    <message>
        <source>Erro: o total de coletas é %1, mas a planilha por coleta tem %2 coletas</source>
        <translation>Error: el total de colectas es %1, pero la hoja por colecta tiene %2 colectas</translation>
    </message>
    <message>
        <source>Erro: a linha %1 soma %2 indivíduos em %3 coletas na planilha por coleta, mas a planilha por espécie diz %4 em %5; corrija uma das duas</source>
        <translation>Error: la línea %1 suma %2 individuos en %3 colectas en la hoja por colecta, pero la hoja por especie dice %4 en %5; corrija una de las dos</translation>
    </message>
    <message>
        <source>Fechar a planilha sem salvar?</source>
        <translation>¿Cerrar la hoja sin guardar?</translation>
    </message>
    <message>
        <source>Apenas dígitos: </source>
        <translation>Solo dígitos: </translation>
    </message>
    <message>
        <source>Editar célula</source>
        <translation>Editar celda</translation>
    </message>
    <message>
        <source>&amp;Copiar</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Desfazer</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>&amp;Refazer</source>
        <translation>&amp;Rehacer</translation>
    </message>
    <message>
        <source>&amp;Inserir linha</source>
        <translation>&amp;Insertar fila</translation>
    </message>
    <message>
        <source>&amp;Excluir linha(s)</source>
        <translation>&amp;Eliminar fila(s)</translation>
    </message>
    <message>
        <source>a linha %1 da planilha tem </source>
        <translation>la línea %1 de la hoja tiene </translation>
    </message>
    <message>
        <source>Não aceito: a linha %1 teria </source>
        <translation>No aceptado: la línea %1 tendría </translation>
    </message>
    <message>
        <source>Totais das coletas</source>
        <translation>Totales de las colectas</translation>
    </message>
    <message>
        <source> (linha %1 da colagem)</source>
        <translation> (línea %1 de lo pegado)</translation>
    </message>
    <message>
        <source>Erro: a colagem passaria de %1 espécies</source>
        <translation>Error: lo pegado pasaría de %1 especies</translation>
    </message>
    <message>
        <source>Colar</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <source>Colunas além de &quot;Nome&quot; não foram coladas</source>
        <translation>Las columnas después de &quot;Nombre&quot; no se pegaron</translation>
    </message>
    <message>
        <source>Substituir 1 linha preenchida?</source>
        <translation>¿Reemplazar 1 fila rellena?</translation>
    </message>
    <message>
        <source>Substituir %1 linhas preenchidas?</source>
        <translation>¿Reemplazar %1 filas rellenas?</translation>
    </message>
    <message>
        <source>Substituir a linha</source>
        <translation>Reemplazar la fila</translation>
    </message>
    <message>
        <source>Substituir as linhas</source>
        <translation>Reemplazar las filas</translation>
    </message>
    <message>
        <source>Erro: no máximo 900 espécies</source>
        <translation>Error: como máximo 900 especies</translation>
    </message>
    <message>
        <source>Inserir linha</source>
        <translation>Insertar fila</translation>
    </message>
    <message>
        <source>Erro: a planilha precisa de ao menos uma espécie</source>
        <translation>Error: la hoja necesita al menos una especie</translation>
    </message>
    <message>
        <source>Excluir linha</source>
        <translation>Eliminar fila</translation>
    </message>
    <message>
        <source>Número de espécies</source>
        <translation>Número de especies</translation>
    </message>
    <message>
        <source>Erro: o número de espécies deve ser de 1 a 900</source>
        <translation>Error: el número de especies debe ser de 1 a 900</translation>
    </message>
    <message>
        <source>Apagar 1 linha preenchida?</source>
        <translation>¿Borrar 1 fila rellena?</translation>
    </message>
    <message>
        <source>Apagar %1 linhas preenchidas?</source>
        <translation>¿Borrar %1 filas rellenas?</translation>
    </message>
    <message>
        <source>Apagar a linha</source>
        <translation>Borrar la fila</translation>
    </message>
    <message>
        <source>Apagar as linhas</source>
        <translation>Borrar las filas</translation>
    </message>
    <message>
        <source>Total de coletas</source>
        <translation>Total de colectas</translation>
    </message>
    <message>
        <source>Página %1 de %2</source>
        <translation>Página %1 de %2</translation>
    </message>
    <message>
        <source>Tratamentos:</source>
        <translation>Tratamientos:</translation>
    </message>
    <message>
        <source>NOMES DAS ESPÉCIES</source>
        <translation>NOMBRES DE LAS ESPECIES</translation>
    </message>
    <message>
        <source>  Espécie  Nome</source>
        <translation>  Especie  Nombre</translation>
    </message>
    <message>
        <source> (editado)</source>
        <translation> (editado)</translation>
    </message>
    <message>
        <source>Gráfico - </source>
        <translation>Gráfico - </translation>
    </message>
    <message>
        <source>&amp;Tamanho:</source>
        <translation>&amp;Tamaño:</translation>
    </message>
    <message>
        <source>&amp;Salvar imagem...</source>
        <translation>&amp;Guardar imagen...</translation>
    </message>
    <message>
        <source>Salvar este gráfico...</source>
        <translation>Guardar este gráfico...</translation>
    </message>
    <message>
        <source>Salvar imagem</source>
        <translation>Guardar imagen</translation>
    </message>
    <message>
        <source>Imagens (*.png *.svg *.pdf)</source>
        <translation>Imágenes (*.png *.svg *.pdf)</translation>
    </message>
    <message>
        <source>Exportar PDF</source>
        <translation>Exportar PDF</translation>
    </message>
    <message>
        <source>Erro: memória insuficiente</source>
        <translation>Error: memoria insuficiente</translation>
    </message>
    <message>
        <source>Enter: Cancelar (nada muda).</source>
        <translation>Enter: Cancelar (nada cambia).</translation>
    </message>
    <message>
        <source>Nomes dos tratamentos</source>
        <translation>Nombres de los tratamientos</translation>
    </message>
    <message>
        <source>Os nomes vão na chave, no relatório e nos gráficos:</source>
        <translation>Los nombres van en la clave, el informe y los gráficos:</translation>
    </message>
    <message>
        <source>Calcular</source>
        <translation>Calcular</translation>
    </message>
    <message>
        <source>Arquivo:</source>
        <translation>Archivo:</translation>
    </message>
    <message>
        <source>&amp;Planilha:</source>
        <translation>&amp;Hoja:</translation>
    </message>
    <message>
        <source>&amp;Uma coluna por coleta (espécies × coletas)</source>
        <translation>&amp;Una columna por colecta (especies × colectas)</translation>
    </message>
    <message>
        <source>Cada linha é uma espécie e cada coluna uma coleta: os indivíduos são a soma da linha, as coletas as células diferentes de zero.</source>
        <translation>Cada fila es una especie y cada columna una colecta: los individuos son la suma de la fila, las colectas las celdas distintas de cero.</translation>
    </message>
    <message>
        <source>Um &amp;registro por linha (data, espécie, indivíduos)</source>
        <translation>Un &amp;registro por fila (fecha, especie, individuos)</translation>
    </message>
    <message>
        <source>Como um banco de dados de campo exporta: cada data é uma coleta, cada nome uma espécie; os registros de uma espécie numa data são somados.</source>
        <translation>Como exporta una base de datos de campo: cada fecha es una colecta, cada nombre una especie; los registros de una especie en una fecha se suman.</translation>
    </message>
    <message>
        <source>Títulos, eixos e legendas nesta língua, para um artigo; os relatórios não mudam</source>
        <translation>Títulos, ejes y leyendas en esta lengua, para un artículo; los informes no cambian</translation>
    </message>
    <message>
        <source>&amp;Idioma dos gráficos:</source>
        <translation>&amp;Idioma de los gráficos:</translation>
    </message>
    <message>
        <source>Calculando o arquivo: </source>
        <translation>Calculando el archivo: </translation>
    </message>
    <message>
        <source>Cálculo do arquivo: </source>
        <translation>Cálculo del archivo: </translation>
    </message>
    <message>
        <source> finalizado</source>
        <translation> finalizado</translation>
    </message>
    <message>
        <source>Calculando a diversidade do arquivo: </source>
        <translation>Calculando la diversidad del archivo: </translation>
    </message>
    <message>
        <source>Diversidade do arquivo: </source>
        <translation>Diversidad del archivo: </translation>
    </message>
    <message>
        <source> finalizada</source>
        <translation> finalizada</translation>
    </message>
    <message>
        <source>Tamanho da tela</source>
        <translation>Tamaño de la pantalla</translation>
    </message>
    <message>
        <source>1 coluna (85 mm), 300 dpi</source>
        <translation>1 columna (85 mm), 300 dpi</translation>
    </message>
    <message>
        <source>1 coluna (85 mm), 600 dpi</source>
        <translation>1 columna (85 mm), 600 dpi</translation>
    </message>
    <message>
        <source>2 colunas (175 mm), 300 dpi</source>
        <translation>2 columnas (175 mm), 300 dpi</translation>
    </message>
    <message>
        <source>2 colunas (175 mm), 600 dpi</source>
        <translation>2 columnas (175 mm), 600 dpi</translation>
    </message>
    <message>
        <source>&amp;Flutuação</source>
        <translation>F&amp;luctuación</translation>
    </message>
    <message>
        <source>Calculando a flutuação do arquivo: </source>
        <translation>Calculando la fluctuación del archivo: </translation>
    </message>
    <message>
        <source>Flutuação do arquivo: </source>
        <translation>Fluctuación del archivo: </translation>
    </message>
    <message>
        <source>Comunidades dos tratamentos</source>
        <translation>Comunidades de los tratamientos</translation>
    </message>
    <message>
        <source>&amp;Dissimilaridade entre coletas:</source>
        <translation>&amp;Disimilitud entre colectas:</translation>
    </message>
    <message>
        <source>Bray-Curtis (abundâncias)</source>
        <translation>Bray-Curtis (abundancias)</translation>
    </message>
    <message>
        <source>Jaccard (presença)</source>
        <translation>Jaccard (presencia)</translation>
    </message>
    <message>
        <source>&amp;Permutações dos testes:</source>
        <translation>&amp;Permutaciones de las pruebas:</translation>
    </message>
    <message>
        <source>Comunidades dos tratamentos ...</source>
        <translation>Comunidades de los tratamientos ...</translation>
    </message>
    <message>
        <source>C&amp;omunidades (2 a 10 tratamentos)...</source>
        <translation>C&amp;omunidades (2 a 10 tratamientos)...</translation>
    </message>
    <message>
        <source>Flutuação</source>
        <translation>Fluctuación</translation>
    </message>
    <message>
        <source>Defasagem (coletas):</source>
        <translation>Desfase (colectas):</translation>
    </message>
    <message>
        <source>Erro: a linha %1 tem o nome %2, que é a marca de um bloco do arquivo; mude o nome</source>
        <translation>Error: la línea %1 tiene el nombre %2, que es la marca de un bloque del archivo; cambie el nombre</translation>
    </message>
    <message>
        <source>%1 de %2 tratamentos (T1 = %3)</source>
        <translation>%1 de %2 tratamientos (T1 = %3)</translation>
    </message>
    <message>
        <source>Indivíduos</source>
        <translation>Individuos</translation>
    </message>
    <message>
        <source>Espécies</source>
        <translation>Especies</translation>
    </message>
    <message>
        <source>Espécie </source>
        <translation>Especie </translation>
    </message>
    <message>
        <source>&amp;Clima:</source>
        <translation>&amp;Clima:</translation>
    </message>
    <message>
        <source>Sé&amp;rie:</source>
        <translation>Se&amp;rie:</translation>
    </message>
    <message>
        <source>Análise faunística</source>
        <translation>Análisis faunístico</translation>
    </message>
    <message>
        <source>Diversidade</source>
        <translation>Diversidad</translation>
    </message>
    <message>
        <source>Similaridade</source>
        <translation>Similitud</translation>
    </message>
    <message>
        <source>Comparação</source>
        <translation>Comparación</translation>
    </message>
    <message>
        <source>Comunidades</source>
        <translation>Comunidades</translation>
    </message>
</context>
</TS>
